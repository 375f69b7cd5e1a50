// The driver's one container: an ordered, doubly linked list of strings that
// the list owns. Adding copies the caller's string, removing frees the copy.
#pragma once
#include <cstddef>
#include <string>

struct ArgNode {
  ArgNode* prev;
  ArgNode* next;
  char* value;
};

struct ArgList {
  ArgNode* first;
  ArgNode* last;
};

ArgList* arglist_create();
void arglist_destroy(ArgList* list);
void arglist_append(ArgList* list, const char* value);
void arglist_prepend(ArgList* list, const char* value);
// New entry right in front of `before`; with a null `before` it appends.
void arglist_insert_before(ArgList* list, ArgNode* before, const char* value);
// Unlinks and frees `node`; a null node does nothing.
void arglist_remove(ArgList* list, ArgNode* node);
void arglist_remove_first(ArgList* list);
void arglist_remove_last(ArgList* list);
ArgNode* arglist_first(const ArgList* list);
ArgNode* arglist_last(const ArgList* list);
ArgNode* argnode_next(const ArgNode* node);
ArgNode* argnode_prev(const ArgNode* node);
// Borrowed: valid until the entry is removed.
const char* argnode_value(const ArgNode* node);
ArgList* arglist_from_argv(int count, const char* const* values);
// First entry whose value equals `value` byte for byte, or null.
ArgNode* arglist_find(const ArgList* list, const char* value);

// Conveniences for texts built with std::string.
inline void arglist_append(ArgList* list, const std::string& value) {
  arglist_append(list, value.c_str());
}
inline void arglist_prepend(ArgList* list, const std::string& value) {
  arglist_prepend(list, value.c_str());
}
inline void arglist_insert_before(ArgList* list, ArgNode* before, const std::string& value) {
  arglist_insert_before(list, before, value.c_str());
}
