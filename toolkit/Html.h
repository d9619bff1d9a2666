#pragma once

#include "toolkit/WinControl.h"

#include <string>

namespace tk {

// The HTML viewer control: it is only ever given a document to show, by address. It keeps the
// last address it was asked for; the back end fetches and renders the page.
class THTML : public TWinControl {
public:
    explicit THTML(TComponent* owner);

    // Asks for a document: "file:///" followed by a DOS path (backslashes as they stand).
    void RequestDoc(const std::string& url);
    const std::string& URL() const { return m_url; }

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    THtmlPeer* HtmlPeer() const { return static_cast<THtmlPeer*>(m_peer.get()); }

private:
    std::string m_url;
};

}  // namespace tk
