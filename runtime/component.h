#pragma once
// The small component model the engine's ownership rules need: an owner that
// destroys what it owns, a name and a tag, and removal notifications so that
// plain references never dangle.
#include <string>
#include <vector>

namespace tokiwa {

class TPersistent {
 public:
  virtual ~TPersistent() = default;
  // Copies the settings of another object. The default accepts nothing and
  // raises the class library's conversion error.
  virtual void Assign(const TPersistent& source);
  virtual std::string ClassName() const;
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name) { name_ = name; }
  long long Tag() const { return tag_; }
  void SetTag(long long tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(index); }
  TComponent* FindComponent(const std::string& name) const;

  // Asks this component to be told (Notification with opRemove) when the other
  // one is destroyed; the request is mutual, as on the original platform.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  // True from the start of destruction on.
  bool Destroying() const { return destroying_; }
  // True while the component is being read from a stored form; this program has
  // no stored forms, but engine rules refer to the state.
  bool Loading() const { return loading_; }
  void SetLoading(bool loading) { loading_ = loading; }

 protected:
  // Raised for owned components and free-notification partners.
  virtual void Notification(TComponent* component, TOperation operation);
  // Subclasses call this first in their destructors so Destroying() holds while
  // their own clean-up runs.
  void BeginDestroy() { destroying_ = true; }

 private:
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  TComponent* owner_ = nullptr;
  std::string name_;
  long long tag_ = 0;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  bool destroying_ = false;
  bool loading_ = false;
};

}  // namespace tokiwa
