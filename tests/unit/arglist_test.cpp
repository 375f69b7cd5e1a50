// The argument list: its links in both directions, insertion order and the
// copies it owns.
#include "driver/arglist.h"

#include <cstring>

#include "tests/unit/option_fixture.h"

namespace {

// Walks both directions and checks the links agree with first/last.
void expect_consistent(const ArgList* list) {
  ASSERT_EQ(list->first == nullptr, list->last == nullptr);
  if (!list->first) return;
  EXPECT_EQ(list->first->prev, nullptr);
  EXPECT_EQ(list->last->next, nullptr);
  const ArgNode* n = list->first;
  while (n->next) {
    EXPECT_EQ(n->next->prev, n);
    n = n->next;
  }
  EXPECT_EQ(n, list->last);
}

TEST(ArgList, AppendPrependAndRemoveKeepLinksConsistent) {
  ArgList* l = arglist_create();
  EXPECT_EQ(arglist_first(l), nullptr);
  arglist_append(l, "b");
  arglist_prepend(l, "a");
  arglist_append(l, "c");
  EXPECT_EQ(values(l), (Strings{"a", "b", "c"}));
  expect_consistent(l);

  arglist_remove(l, argnode_next(arglist_first(l)));  // middle
  EXPECT_EQ(values(l), (Strings{"a", "c"}));
  expect_consistent(l);
  arglist_remove_last(l);
  EXPECT_EQ(values(l), (Strings{"a"}));
  arglist_remove_first(l);
  EXPECT_EQ(l->first, nullptr);
  EXPECT_EQ(l->last, nullptr);
  arglist_remove_first(l);  // empty: nothing happens
  arglist_remove(l, nullptr);
  arglist_append(l, "x");
  EXPECT_EQ(l->first, l->last);
  expect_consistent(l);
  arglist_destroy(l);
}

TEST(ArgList, InsertBeforeKeepsInsertionOrder) {
  ArgList* l = arglist_create();
  arglist_insert_before(l, nullptr, "E");  // empty list, null: first and last
  ArgNode* e = arglist_first(l);
  EXPECT_EQ(l->last, e);
  arglist_insert_before(l, e, "a");
  arglist_insert_before(l, e, "b");
  arglist_insert_before(l, e, "c");
  EXPECT_EQ(values(l), (Strings{"a", "b", "c", "E"}));
  arglist_insert_before(l, arglist_first(l), "front");
  EXPECT_EQ(std::string(argnode_value(arglist_first(l))), "front");
  arglist_insert_before(l, nullptr, "end");
  EXPECT_EQ(values(l), (Strings{"front", "a", "b", "c", "E", "end"}));
  expect_consistent(l);
  arglist_destroy(l);
}

TEST(ArgList, OwnsCopiesOfItsStrings) {
  ArgList* l = arglist_create();
  char buf[8];
  std::strcpy(buf, "same");
  arglist_append(l, buf);
  arglist_append(l, buf);
  std::strcpy(buf, "gone");
  EXPECT_EQ(values(l), (Strings{"same", "same"}));
  EXPECT_NE(argnode_value(l->first), argnode_value(l->last));
  arglist_remove_first(l);
  EXPECT_EQ(values(l), (Strings{"same"}));
  arglist_destroy(l);
}

TEST(ArgList, FromArgvAndFind) {
  const char* argv[] = {"f90", "-c", "x.f90", "-c"};
  ArgList* l = arglist_from_argv(4, argv);
  EXPECT_EQ(values(l), (Strings{"f90", "-c", "x.f90", "-c"}));
  EXPECT_EQ(arglist_find(l, "-c"), argnode_next(arglist_first(l)));
  EXPECT_EQ(arglist_find(l, "-C"), nullptr);
  EXPECT_EQ(argnode_prev(arglist_last(l)), arglist_find(l, "x.f90"));
  arglist_destroy(l);
  ArgList* empty = arglist_from_argv(0, argv);
  EXPECT_EQ(arglist_first(empty), nullptr);
  arglist_destroy(empty);
}

}  // namespace
