// Containers that site the control only after IPersistStreamInit::InitNew
// or Load, against OLEMISC_SETCLIENTSITEFIRST (Wine's ATL host window does).
// Attachment found no site then; it runs once more when the site arrives,
// with the steps that need the site, as if the site had come first. A
// terminated control is never sited this way (OleControl::SetClientSite).
#include <utility>
#include "control/Quillon.h"
#include "hook/Guard.h"

namespace quillon {

void Quillon::SiteArrived() {
    if (!std::exchange(m_bAttachAwaitsSite, false)) return;
    AttachToForm();
    // The tooltip is new: what the setters would have told it.
    Trap([&] {
        if (!m_Tooltip || !m_Tooltip->hwnd()) return;
        m_Tooltip->Activate(m_bShowTooltip);
        m_Tooltip->SetBalloonStyle(m_TootipStyle == qlBalloon);
    });
    if (std::exchange(m_bReadAwaitsSite, false)) CompleteReadWithSite();
}

}  // namespace quillon
