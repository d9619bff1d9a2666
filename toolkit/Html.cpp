#include "toolkit/Html.h"

namespace tk {

THTML::THTML(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 200, 150);
    SetColor(clWindow);
    SetTabStop(true);
}

// Every request loads the page again, even for the address shown already.
void THTML::RequestDoc(const std::string& url)
{
    m_url = url;
    if (HtmlPeer())
        HtmlPeer()->RequestDoc();
}

std::unique_ptr<TControlPeer> THTML::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void THTML::InitializePeer()
{
    TWinControl::InitializePeer();
    if (!m_url.empty())
        HtmlPeer()->RequestDoc();
}

void THTML::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("URL", TPropertyValue::Text(m_url));
}

}  // namespace tk
