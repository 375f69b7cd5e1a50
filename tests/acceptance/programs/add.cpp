// Needs the C++ runtime linked.
#include <string>
extern "C" int add_ints(int a, int b) { return std::stoi(std::to_string(a + b)); }
