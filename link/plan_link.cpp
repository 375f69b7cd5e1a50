#include "link/link.h"

void plan_link(ArgList*) {}
void link_target() {}
