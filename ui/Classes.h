#pragma once
// Components: objects with a name, a class, an owner that frees them, and the components they own.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qv::ui {

// The class of a component as the layer sees it at run time: its name and the class it derives
// from. Each component class has one, returned by its static StaticClass().
class TClass {
 public:
  constexpr TClass(std::string_view name, const TClass* parent) : name_(name), parent_(parent) {}
  TClass(const TClass&) = delete;
  TClass& operator=(const TClass&) = delete;
  std::string_view Name() const { return name_; }
  const TClass* Parent() const { return parent_; }
  bool InheritsFrom(const TClass& other) const {
    for (const TClass* c = this; c != nullptr; c = c->parent_)
      if (c == &other) return true;
    return false;
  }

 private:
  std::string_view name_;
  const TClass* parent_;
};

enum class TOperation { opInsert, opRemove };

class TComponent {
 public:
  TComponent();
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  static const TClass& StaticClass();
  virtual const TClass& ClassType() const { return StaticClass(); }
  std::string_view ClassName() const { return ClassType().Name(); }
  bool InheritsFrom(const TClass& c) const { return ClassType().InheritsFrom(c); }

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // The components this one owns, in the order they were inserted. Freed with their owner.
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* FindComponent(std::string_view name) const;

  // Takes ownership of `component` (which must have no owner yet) and tells this component.
  void InsertComponent(std::unique_ptr<TComponent> component);
  // Gives up ownership of `component` without freeing it.
  std::unique_ptr<TComponent> RemoveComponent(TComponent& component);

  // True while the component's stored contents are being read.
  bool Loading() const { return loading_; }
  void SetLoading(bool loading) { loading_ = loading; }
  // The end of reading stored contents.
  virtual void Loaded() { loading_ = false; }
  // Runs once the object is fully constructed and placed with its owner (see Create and New).
  virtual void AfterConstruction() {}

  // Published properties that hold a component, reachable by name whatever the class.
  bool HasPublishedProperty(std::string_view property) const;
  // Sets a published component property; false when the class has no such property.
  bool SetPublishedProperty(std::string_view property, TComponent* value);
  TComponent* GetPublishedProperty(std::string_view property) const;

 protected:
  // A component was inserted into or removed from this one's owned components.
  virtual void Notification(TComponent& component, TOperation operation);
  void PublishProperty(std::string name, std::function<TComponent*()> get,
                       std::function<void(TComponent*)> set);

 private:
  struct PublishedProperty {
    std::string Name;
    std::function<TComponent*()> Get;
    std::function<void(TComponent*)> Set;
  };
  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
  std::vector<PublishedProperty> published_;
  bool loading_ = false;
};

// Creates a component owned by `owner` and returns it; the owner frees it.
template <class T, class... Args>
T& Create(TComponent& owner, Args&&... args) {
  auto made = std::make_unique<T>(std::forward<Args>(args)...);
  T& result = *made;
  owner.InsertComponent(std::move(made));
  result.AfterConstruction();
  return result;
}

// Creates a component without owner; the caller frees it.
template <class T, class... Args>
std::unique_ptr<T> New(Args&&... args) {
  auto made = std::make_unique<T>(std::forward<Args>(args)...);
  made->AfterConstruction();
  return made;
}

}  // namespace qv::ui
