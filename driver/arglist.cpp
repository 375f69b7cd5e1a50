#include "driver/arglist.h"

#include <cstdlib>
#include <cstring>

#include "driver/exit.h"

namespace {

ArgNode* new_node(const char* value) {
  size_t len = std::strlen(value);
  ArgNode* node = static_cast<ArgNode*>(checked_malloc(sizeof(ArgNode)));
  node->value = static_cast<char*>(checked_malloc(len + 1));
  std::memcpy(node->value, value, len + 1);
  node->prev = nullptr;
  node->next = nullptr;
  return node;
}

}  // namespace

ArgList* arglist_create() {
  ArgList* list = static_cast<ArgList*>(checked_malloc(sizeof(ArgList)));
  list->first = nullptr;
  list->last = nullptr;
  return list;
}

void arglist_destroy(ArgList* list) {
  if (!list) return;
  while (list->first) arglist_remove(list, list->first);
  std::free(list);
}

void arglist_append(ArgList* list, const char* value) {
  ArgNode* node = new_node(value);
  node->prev = list->last;
  if (list->last)
    list->last->next = node;
  else
    list->first = node;
  list->last = node;
}

void arglist_prepend(ArgList* list, const char* value) {
  ArgNode* node = new_node(value);
  node->next = list->first;
  if (list->first)
    list->first->prev = node;
  else
    list->last = node;
  list->first = node;
}

void arglist_insert_before(ArgList* list, ArgNode* before, const char* value) {
  if (!before) {
    arglist_append(list, value);
    return;
  }
  ArgNode* node = new_node(value);
  node->prev = before->prev;
  node->next = before;
  before->prev = node;
  if (node->prev)
    node->prev->next = node;
  else
    list->first = node;
}

void arglist_remove(ArgList* list, ArgNode* node) {
  if (!node) return;
  if (node->prev)
    node->prev->next = node->next;
  else
    list->first = node->next;
  if (node->next)
    node->next->prev = node->prev;
  else
    list->last = node->prev;
  std::free(node->value);
  std::free(node);
}

void arglist_remove_first(ArgList* list) { arglist_remove(list, list->first); }
void arglist_remove_last(ArgList* list) { arglist_remove(list, list->last); }
ArgNode* arglist_first(const ArgList* list) { return list->first; }
ArgNode* arglist_last(const ArgList* list) { return list->last; }
ArgNode* argnode_next(const ArgNode* node) { return node->next; }
ArgNode* argnode_prev(const ArgNode* node) { return node->prev; }
const char* argnode_value(const ArgNode* node) { return node->value; }

ArgList* arglist_from_argv(int count, const char* const* values) {
  ArgList* list = arglist_create();
  for (int i = 0; i < count; ++i) arglist_append(list, values[i]);
  return list;
}

ArgNode* arglist_find(const ArgList* list, const char* value) {
  for (ArgNode* n = list->first; n; n = n->next)
    if (std::strcmp(n->value, value) == 0) return n;
  return nullptr;
}
