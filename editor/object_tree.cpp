#include "editor/object_tree.h"

#include <new>

#include "model/skin.h"
#include "model/skin_object_kind.h"
#include "ui/ctree_ctrl.h"

namespace {

const int kContainerImage = 0;

}  // namespace

void ObjectTree::Clear() {
  if (tree_ == nullptr || tree_->GetSafeHwnd() == nullptr) return;
  for (HTREEITEM root = tree_->GetRootItem(); root != nullptr;
       root = tree_->GetNextSiblingItem(root)) {
    FreeNodes(root);
  }
  tree_->DeleteAllItems();
}

void ObjectTree::Fill(Skin& skin) {
  Clear();
  for (const std::unique_ptr<SkinContainer>& container : skin.containers) {
    HTREEITEM containerItem = AddContainer(container.get());
    if (containerItem == nullptr) continue;
    for (const std::unique_ptr<SkinObject>& object : container->objects)
      AddObject(containerItem, container.get(), object.get());
    tree_->Expand(containerItem, TVE_EXPAND);
  }
}

HTREEITEM ObjectTree::AddContainer(SkinContainer* container) {
  return Insert(container->name.c_str(), kContainerImage, TVI_ROOT, container, nullptr);
}

HTREEITEM ObjectTree::AddObject(HTREEITEM containerItem, SkinContainer* container,
                                SkinObject* object) {
  const int image = SkinObjectKind::TreeImage(object->kind);
  if (image == SkinObjectKind::kNoTreeImage) return nullptr;
  return Insert(object->name.c_str(), image, containerItem, container, object);
}

HTREEITEM ObjectTree::Insert(const char* text, int image, HTREEITEM parent,
                             SkinContainer* container, SkinObject* object) {
  Node* node = new (std::nothrow) Node{container, object};
  if (node == nullptr) return nullptr;
  HTREEITEM item = tree_->InsertItem(text, image, image, parent);
  if (item == nullptr || !tree_->SetItemData(item, reinterpret_cast<DWORD_PTR>(node))) {
    if (item != nullptr) tree_->DeleteItem(item);
    delete node;
    return nullptr;
  }
  return item;
}

void ObjectTree::Remove(HTREEITEM item) {
  if (item == nullptr) return;
  FreeNodes(item);
  tree_->DeleteItem(item);
}

void ObjectTree::Refresh(HTREEITEM item) {
  const Node* node = NodeOf(item);
  if (node == nullptr) return;
  if (node->object == nullptr) {
    tree_->SetItemText(item, node->container->name.c_str());
    return;
  }
  tree_->SetItemText(item, node->object->name.c_str());
  const int image = SkinObjectKind::TreeImage(node->object->kind);
  if (image == SkinObjectKind::kNoTreeImage) return;
  TVITEMA change = {};
  change.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  change.hItem = item;
  change.iImage = change.iSelectedImage = image;
  tree_->SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void ObjectTree::FreeNodes(HTREEITEM item) {
  for (HTREEITEM child = tree_->GetChildItem(item); child != nullptr;
       child = tree_->GetNextSiblingItem(child)) {
    FreeNodes(child);
  }
  delete reinterpret_cast<Node*>(tree_->GetItemData(item));
  tree_->SetItemData(item, 0);
}

const ObjectTree::Node* ObjectTree::NodeOf(HTREEITEM item) const {
  if (item == nullptr || tree_ == nullptr) return nullptr;
  return reinterpret_cast<const Node*>(tree_->GetItemData(item));
}

HTREEITEM ObjectTree::Selected() const {
  return tree_ != nullptr && tree_->GetSafeHwnd() != nullptr ? tree_->GetSelectedItem() : nullptr;
}

HTREEITEM ObjectTree::FindContainer(const SkinContainer* container) const {
  for (HTREEITEM root = tree_->GetRootItem(); root != nullptr;
       root = tree_->GetNextSiblingItem(root)) {
    const Node* node = NodeOf(root);
    if (node != nullptr && node->container == container) return root;
  }
  return nullptr;
}

HTREEITEM ObjectTree::FindObject(const SkinObject* object) const {
  for (HTREEITEM root = tree_->GetRootItem(); root != nullptr;
       root = tree_->GetNextSiblingItem(root)) {
    for (HTREEITEM child = tree_->GetChildItem(root); child != nullptr;
         child = tree_->GetNextSiblingItem(child)) {
      const Node* node = NodeOf(child);
      if (node != nullptr && node->object == object) return child;
    }
  }
  return nullptr;
}
