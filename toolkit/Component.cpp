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
