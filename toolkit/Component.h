#pragma once

#include "toolkit/Properties.h"
#include "toolkit/Types.h"

#include <string>
#include <vector>

namespace tk {

class TApplication;

// A named object with an owner. The owner frees what it owns when it is freed; a component freed
// earlier leaves its owner's list by itself.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    TComponent* Owner() const { return m_owner; }
    const std::vector<TComponent*>& Components() const { return m_components; }
    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    TComponent* FindComponent(const std::string& name) const;

    // The application this component belongs to, through its chain of owners; null for a
    // component made on its own (as tests do).
    TApplication* Application() const { return m_application; }

    // Appends the component's properties, base class first.
    virtual void DescribeProperties(TPropertyList& list) const;

    // Asks to be told (Notification) when `component` is freed, for a component that refers to
    // one it does not own; the request lapses when either of the two is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

protected:
    // `component`, which this one asked about with FreeNotification, is being freed.
    virtual void Notification(TComponent* component) {}

    // For the application object, which is its own root.
    void SetApplication(TApplication* application) { m_application = application; }

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    std::string m_name;
    TComponent* m_owner = nullptr;
    TApplication* m_application = nullptr;
    std::vector<TComponent*> m_components;
    // The components that this one asked about, and those that asked about it.
    std::vector<TComponent*> m_watched;
    std::vector<TComponent*> m_watchers;
};

}  // namespace tk
