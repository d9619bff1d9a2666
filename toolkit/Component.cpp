#include "toolkit/Component.h"

#include <algorithm>

namespace tk {

TComponent::TComponent(TComponent* owner) : m_owner(owner)
{
    if (m_owner) {
        m_application = m_owner->m_application;
        m_owner->InsertComponent(this);
    }
}

TComponent::~TComponent()
{
    while (!m_watchers.empty()) {
        TComponent* watcher = m_watchers.back();
        m_watchers.pop_back();
        std::erase(watcher->m_watched, this);
        watcher->Notification(this);
    }
    for (TComponent* watched : m_watched)
        std::erase(watched->m_watchers, this);
    m_watched.clear();
    // Owned components go last-created first, the way they were stacked.
    while (!m_components.empty()) {
        TComponent* last = m_components.back();
        m_components.pop_back();
        last->m_owner = nullptr;
        delete last;
    }
    if (m_owner)
        m_owner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    for (TComponent* component : m_components)
        if (component->Name() == name)
            return component;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this || std::find(m_watched.begin(), m_watched.end(), component) != m_watched.end())
        return;
    m_watched.push_back(component);
    component->m_watchers.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    std::erase(m_watched, component);
    std::erase(component->m_watchers, this);
}

void TComponent::DescribeProperties(TPropertyList& list) const
{
    list.Add("Name", TPropertyValue::Text(m_name));
}

void TComponent::InsertComponent(TComponent* component)
{
    m_components.push_back(component);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(m_components.begin(), m_components.end(), component);
    if (it != m_components.end())
        m_components.erase(it);
}

}  // namespace tk
