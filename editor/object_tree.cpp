#include "editor/object_tree.h"

#include <new>

#include "model/skin.h"
#include "model/skin_object_kind.h"
#include "ui/ctree_ctrl.h"

namespace {

const int kContainerImage = 0;

}  // namespace

void ObjectTree::Clear() {
  if (m_tree == nullptr || m_tree->GetSafeHwnd() == nullptr) return;
  for (HTREEITEM root = m_tree->GetRootItem(); root != nullptr;
       root = m_tree->GetNextSiblingItem(root)) {
    FreeNodes(root);
  }
  m_tree->DeleteAllItems();
}

void ObjectTree::Fill(Skin& skin) {
  Clear();
  for (const std::unique_ptr<SkinContainer>& container : skin.containers) {
    HTREEITEM containerItem = AddContainer(container.get());
    if (containerItem == nullptr) continue;
    for (const std::unique_ptr<SkinObject>& object : container->objects)
      AddObject(containerItem, container.get(), object.get());
    m_tree->Expand(containerItem, TVE_EXPAND);
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
  HTREEITEM item = m_tree->InsertItem(text, image, image, parent);
  if (item == nullptr || !m_tree->SetItemData(item, reinterpret_cast<DWORD_PTR>(node))) {
    if (item != nullptr) m_tree->DeleteItem(item);
    delete node;
    return nullptr;
  }
  return item;
}

void ObjectTree::Remove(HTREEITEM item) {
  if (item == nullptr) return;
  FreeNodes(item);
  m_tree->DeleteItem(item);
}

void ObjectTree::Refresh(HTREEITEM item) {
  const Node* node = NodeOf(item);
  if (node == nullptr) return;
  if (node->object == nullptr) {
    m_tree->SetItemText(item, node->container->name.c_str());
    return;
  }
  m_tree->SetItemText(item, node->object->name.c_str());
  const int image = SkinObjectKind::TreeImage(node->object->kind);
  if (image == SkinObjectKind::kNoTreeImage) return;
  TVITEMA change = {};
  change.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  change.hItem = item;
  change.iImage = change.iSelectedImage = image;
  m_tree->SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void ObjectTree::FreeNodes(HTREEITEM item) {
  for (HTREEITEM child = m_tree->GetChildItem(item); child != nullptr;
       child = m_tree->GetNextSiblingItem(child)) {
    FreeNodes(child);
  }
  delete reinterpret_cast<Node*>(m_tree->GetItemData(item));
  m_tree->SetItemData(item, 0);
}

const ObjectTree::Node* ObjectTree::NodeOf(HTREEITEM item) const {
  if (item == nullptr || m_tree == nullptr) return nullptr;
  return reinterpret_cast<const Node*>(m_tree->GetItemData(item));
}

HTREEITEM ObjectTree::Selected() const {
  return m_tree != nullptr && m_tree->GetSafeHwnd() != nullptr ? m_tree->GetSelectedItem()
                                                               : nullptr;
}

HTREEITEM ObjectTree::FindContainer(const SkinContainer* container) const {
  for (HTREEITEM root = m_tree->GetRootItem(); root != nullptr;
       root = m_tree->GetNextSiblingItem(root)) {
    const Node* node = NodeOf(root);
    if (node != nullptr && node->container == container) return root;
  }
  return nullptr;
}

HTREEITEM ObjectTree::FindObject(const SkinObject* object) const {
  for (HTREEITEM root = m_tree->GetRootItem(); root != nullptr;
       root = m_tree->GetNextSiblingItem(root)) {
    for (HTREEITEM child = m_tree->GetChildItem(root); child != nullptr;
         child = m_tree->GetNextSiblingItem(child)) {
      const Node* node = NodeOf(child);
      if (node != nullptr && node->object == object) return child;
    }
  }
  return nullptr;
}
