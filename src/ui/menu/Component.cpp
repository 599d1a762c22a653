#include "ui/menu/Component.h"

#include <algorithm>

namespace ui {

Component::Component(Component* owner) {
  if (owner) owner->InsertComponent(this);
}

Component::~Component() {
  destroying_ = true;
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void Component::DestroyComponents() {
  // Last first, each taken off the list before it goes, so that one owned
  // component deleting another (an item its children) finds the list current.
  while (!components_.empty()) {
    Component* last = components_.back();
    RemoveComponent(last);
    delete last;
  }
}

void Component::JoinOwner(Component* owner) {
  if (owner && !owner_) owner->InsertComponent(this);
}

void Component::Notification(Component* component, Operation operation) {
  // Index walk: a handler may add or remove components while it runs.
  for (std::size_t i = 0; i < components_.size(); ++i) components_[i]->Notification(component, operation);
}

void Component::InsertComponent(Component* component) {
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, Operation::Insert);
}

void Component::RemoveComponent(Component* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  component->owner_ = nullptr;
  Notification(component, Operation::Remove);
}

}  // namespace ui
