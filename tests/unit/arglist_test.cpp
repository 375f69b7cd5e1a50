// The driver's one container: every change keeps the list whole in both
// directions, the ends included, and the entries are the list's own copies.
#include <gtest/gtest.h>

#include <string>

#include "driver/arglist.h"

namespace {

// The values read from the front; the walk from the back must agree.
std::string walk(const ArgList* list) {
  std::string forward, backward;
  for (const ArgNode* n = arglist_first(list); n; n = argnode_next(n)) forward += std::string(argnode_value(n)) + " ";
  for (const ArgNode* n = arglist_last(list); n; n = argnode_prev(n))
    backward = std::string(argnode_value(n)) + " " + backward;
  EXPECT_EQ(forward, backward) << "the links back disagree with the links forward";
  return forward;
}

TEST(ArgList, EveryChangeKeepsBothDirections) {
  char own[] = "c";
  const char* argv[] = {"a", own, "", "a"};
  ArgList* list = arglist_from_argv(-1, argv);
  arglist_remove_first(list);
  arglist_remove_last(list);
  arglist_remove(list, nullptr);
  arglist_insert_before(list, nullptr, own);
  own[0] = 'x';  // the list holds its own copy
  arglist_prepend(list, "a");
  arglist_append(list, "e");
  arglist_insert_before(list, arglist_first(list), "front");
  arglist_insert_before(list, arglist_last(list), "d");
  arglist_insert_before(list, argnode_next(arglist_first(list)), "b");
  EXPECT_EQ(walk(list), "front b a c d e ");
  arglist_remove(list, arglist_find(list, "a"));
  EXPECT_EQ(walk(list), "front b c d e ");
  arglist_remove_first(list);
  arglist_remove_last(list);
  EXPECT_EQ(walk(list), "b c d ");
  arglist_remove(list, arglist_find(list, "d"));
  arglist_remove(list, arglist_find(list, "b"));
  EXPECT_EQ(walk(list), "c ");
  arglist_remove_last(list);
  EXPECT_EQ(walk(list), "");
  arglist_destroy(list);
  arglist_destroy(nullptr);

  list = arglist_from_argv(4, argv);
  EXPECT_EQ(walk(list), "a x  a ");
  EXPECT_EQ(arglist_find(list, "a"), arglist_first(list)) << "the first equal entry";
  EXPECT_EQ(arglist_find(list, ""), argnode_prev(arglist_last(list)));
  EXPECT_EQ(arglist_find(list, "c"), nullptr);
  arglist_destroy(list);
}

}  // namespace
