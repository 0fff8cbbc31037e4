// ObjectTree: the object tree's items over the main frame's tree control.
// Every item carries a node naming what it stands for: a container item
// {container, no object}, an object item {its container, the object}. The
// nodes belong to the items and are freed when their items are removed or
// the tree is cleared; the containers and objects belong to the skin. The
// owner clears the tree before its window goes (the tree control object
// lives inside the view, which deletes itself with its window).
#pragma once

#include <windows.h>

#include <commctrl.h>

class CTreeCtrl;
class Skin;
class SkinContainer;
class SkinObject;

class ObjectTree {
 public:
  struct Node {
    SkinContainer* container;
    SkinObject* object;  // null for a container item
  };

  ObjectTree() = default;
  ObjectTree(const ObjectTree&) = delete;
  ObjectTree& operator=(const ObjectTree&) = delete;

  // The tree control the items live in; must be set before any other call.
  void Attach(CTreeCtrl* tree) { tree_ = tree; }
  CTreeCtrl* Tree() const { return tree_; }

  // Removes every item and frees every node.
  void Clear();
  // Clears, then lists the skin: one expanded root item per container (in
  // list order) with one child per object the tree shows.
  void Fill(Skin& skin);
  // Appends a root item for container; null when it cannot be made.
  HTREEITEM AddContainer(SkinContainer* container);
  // Appends an object item under containerItem; null for kinds the tree
  // does not show or when it cannot be made.
  HTREEITEM AddObject(HTREEITEM containerItem, SkinContainer* container, SkinObject* object);
  // Removes item and its children, freeing their nodes.
  void Remove(HTREEITEM item);
  // Text and image of an object's item after the object changed.
  void Refresh(HTREEITEM item);

  const Node* NodeOf(HTREEITEM item) const;
  HTREEITEM Selected() const;
  const Node* SelectedNode() const { return NodeOf(Selected()); }
  HTREEITEM FindContainer(const SkinContainer* container) const;
  HTREEITEM FindObject(const SkinObject* object) const;

 private:
  HTREEITEM Insert(const char* text, int image, HTREEITEM parent, SkinContainer* container,
                   SkinObject* object);
  void FreeNodes(HTREEITEM item);

  CTreeCtrl* tree_ = nullptr;
};
