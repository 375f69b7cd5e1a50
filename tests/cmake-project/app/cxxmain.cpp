#include <cstdio>

extern "C" double circle_area(double radius);

int main() {
  std::printf("C++: circle area %.2f\n", circle_area(2.0));
  return 0;
}
