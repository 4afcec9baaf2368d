#include "ui/Classes.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Text.h"

namespace qv::ui {

const TClass& TComponent::StaticClass() {
  static const TClass c("TComponent", nullptr);
  return c;
}

TComponent::TComponent() = default;

TComponent::~TComponent() {
  // Owned components go last-created first, as each may refer to those made before it.
  while (!components_.empty()) {
    TComponent* last = components_.back();
    delete last;  // its destructor removes it from this list
  }
  if (owner_ != nullptr) {
    auto& siblings = owner_->components_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    owner_->Notification(*this, TOperation::opRemove);
  }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (platform::CompareTextIgnoreCase(c->Name(), name) == 0) return c;
  return nullptr;
}

void TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
  if (!component) return;
  if (component->owner_ != nullptr)
    throw std::logic_error("component " + component->Name() + " already has an owner");
  TComponent* c = component.release();
  c->owner_ = this;
  components_.push_back(c);
  Notification(*c, TOperation::opInsert);
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent& component) {
  auto it = std::find(components_.begin(), components_.end(), &component);
  if (it == components_.end()) return nullptr;
  components_.erase(it);
  component.owner_ = nullptr;
  Notification(component, TOperation::opRemove);
  return std::unique_ptr<TComponent>(&component);
}

void TComponent::Notification(TComponent&, TOperation) {}

void TComponent::PublishProperty(std::string name, std::function<TComponent*()> get,
                                 std::function<void(TComponent*)> set) {
  published_.push_back({std::move(name), std::move(get), std::move(set)});
}

bool TComponent::HasPublishedProperty(std::string_view property) const {
  return std::any_of(published_.begin(), published_.end(), [&](const PublishedProperty& p) {
    return platform::CompareTextIgnoreCase(p.Name, property) == 0;
  });
}

bool TComponent::SetPublishedProperty(std::string_view property, TComponent* value) {
  for (auto& p : published_)
    if (platform::CompareTextIgnoreCase(p.Name, property) == 0) {
      p.Set(value);
      return true;
    }
  return false;
}

TComponent* TComponent::GetPublishedProperty(std::string_view property) const {
  for (auto& p : published_)
    if (platform::CompareTextIgnoreCase(p.Name, property) == 0) return p.Get();
  return nullptr;
}

}  // namespace qv::ui
