// The link for this host: an ELF program or shared object linked by
// gfortran, or an archive built by ar. The suite's own options and
// libraries have no use here (their rows in link_options.cpp do nothing on
// the host), and gfortran brings its own runtime.
#include "tools/gnu/link.h"

namespace gnu {

std::optional<LinkPlan> plan_host_link(const Target& target, const LinkRequest& r, std::string* error) {
  TargetLink link{target, r};
  apply_link_options(link, &LinkOption::host);
  if (!link.error.empty()) {
    *error = link.error;
    return std::nullopt;
  }
  if (r.kind == LinkRequest::StaticLibrary) return archive_plan(target, r);
  LinkPlan plan;
  Args command = gfortran_link_command(target, r);
  command.insert(command.end(), link.system_libraries.begin(), link.system_libraries.end());
  command.insert(command.end(), link.flags.begin(), link.flags.end());
  command.push_back(CxxRuntimeAsNeeded);
  plan.steps = {command};
  mark_link_step(r, &plan);
  return plan;
}

}  // namespace gnu
