// The steps that the host's link and a Windows target's link share, and the
// choice between the two.
#include "tools/gnu/link.h"

namespace gnu {

// A library named without a directory that is not a file here: found in a
// -PATH: directory, else handed to the linker to search by name.
std::string library_argument(const std::string& name, const Args& dirs) {
  std::string low = lower(name);
  bool lib = ends_with(low, ".lib"), archive = ends_with(low, ".a");
  if (!(lib || archive) || is_file(name) || name.find('/') != std::string::npos) return name;
  for (const std::string& dir : dirs)
    if (is_file(dir + "/" + name)) return dir + "/" + name;
  if (archive) return "-l:" + name;
  std::string stem = name.substr(0, name.size() - 4);
  return stem.empty() ? name : "-l" + stem;
}

LinkPlan archive_plan(const Target& target, const LinkRequest& r) {
  LinkPlan plan;
  Args command = {target.archiver, "rcs", r.out};
  command.insert(command.end(), r.inputs.begin(), r.inputs.end());
  plan.steps = {command};
  plan.remove_before = r.out;
  plan.exports_file = r.exports;
  for (const std::string& a : r.given_for_linker)
    plan.warnings.push_back("\"" + a + "\" is for the linker; a static library is built without it");
  return plan;
}

Args gfortran_link_command(const Target& target, const LinkRequest& r) {
  Args command = {target.fortran_compiler};
  if (r.kind == LinkRequest::Dll) command.push_back("-shared");
  if (!r.out.empty()) command.insert(command.end(), {"-o", r.out});
  for (const std::string& dir : r.dirs) command.push_back("-L" + dir);
  for (const std::string& input : r.inputs) command.push_back(library_argument(input, r.dirs));
  // After the objects and libraries that need them, in their own order.
  command.insert(command.end(), r.linker_args.begin(), r.linker_args.end());
  return command;
}

void mark_link_step(const LinkRequest& r, LinkPlan* plan) {
  plan->link_step = plan->steps.size() - 1;
  for (const std::string& input : r.inputs) plan->link_inputs.push_back(library_argument(input, r.dirs));
  for (const std::string& arg : r.linker_args)
    if (starts_with(arg, "-l")) plan->link_inputs.push_back(arg);
  plan->library_dirs = r.dirs;
}

// Written as "-l stdc++" to the linker, so that CMake, which reads the
// libraries every link brings from this line (-v), does not count the C++
// runtime among them.
const char* const CxxRuntimeAsNeeded = "-Wl,--as-needed,-l,stdc++,--no-as-needed";

std::optional<LinkPlan> plan_link(const Target& target, const Args& args, std::string* error) {
  std::optional<LinkRequest> request = read_link_request(args, error);
  if (!request) return std::nullopt;
  return target.windows ? plan_windows_link(target, *request, error) : plan_host_link(target, *request, error);
}

}  // namespace gnu
