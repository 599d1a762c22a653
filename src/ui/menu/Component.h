#pragma once

#include <QString>
#include <vector>

namespace ui {

// A named part of a form. The owner keeps the list of what it owns, destroys
// it with itself, and tells all of its components whenever one joins or leaves.
class Component {
 public:
  enum class Operation { Insert, Remove };

  explicit Component(Component* owner);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  Component* Owner() const { return owner_; }
  const QString& Name() const { return name_; }
  void SetName(const QString& name) { name_ = name; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  Component* Components(int index) const { return components_[index]; }

  // Heard by every component of an owner when a component joins or leaves it.
  virtual void Notification(Component* component, Operation operation);

 protected:
  // Deletes what this component owns, last first. A form calls it from its own
  // destructor so that components still see a whole form while they go.
  void DestroyComponents();
  // For classes whose owner must hear of them as what they are: construct the
  // base with no owner and join at the end of the derived constructor.
  void JoinOwner(Component* owner);

 private:
  void InsertComponent(Component* component);
  void RemoveComponent(Component* component);

  Component* owner_ = nullptr;
  QString name_;
  std::vector<Component*> components_;
  bool destroying_ = false;
};

}  // namespace ui
