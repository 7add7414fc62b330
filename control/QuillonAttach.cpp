// Attachment to the form's windows at run time, MDI frame hooking while an
// MDI child is active, and further windows registered by the host.
#include <algorithm>
#include "control/FormLocator.h"
#include "control/LateBound.h"
#include "control/Quillon.h"
#include "hook/Guard.h"
#include "hook/SubclassWnd.h"

namespace quillon {

void Quillon::AttachToForm() {
    // A closed control hooks nothing: every hook would hold it, and its
    // module, until the window died.
    const bool terminated = Terminated();
    // Some containers site the control only after InitNew or Load.
    m_bAttachAwaitsSite = !terminated && !ClientSite();
    // Design mode hooks nothing and creates no tooltip and no timer.
    bool userMode = true;
    Trap([&] { userMode = AmbientUserMode(); });
    if (userMode && !terminated) {
        FormInfo form;
        bool found = false;
        Trap([&] {
            IDispatch* extender = Extender();
            IDispatch* container = extender ? LateBound::GetObjectProperty(extender, L"Parent") : nullptr;
            if (container) {
                found = FormLocator::FindParentForm(container, form);
                container->Release();
            } else {
                // Plain containers: no extender, or one without "Parent".
                found = FormLocator::FindFormWindow(SiteWindow(), form);
            }
            if (extender) extender->Release();
        });
        // A form of another thread never sends its messages to this thread's hooks.
        if (found && FormLocator::IsOnThisThread(form.hwnd)) {
            Trap([&] {
                m_hwndOwner = form.hwnd;
                m_menuMetrics.SetWindow(m_hwndOwner);
            });
            if (!m_bAttached && m_hwndOwner) {
                m_bAttached = true;
                Trap([&] { SubclassWnd::HookWindow(m_hwndOwner, this); });
                Trap([&] { HookMenuMessages(m_hwndOwner); });
                Trap([&] {
                    if (!form.isMdiFrame && form.isMdiChild) {
                        m_hwndMDIFrame = FormLocator::GetTopLevelAncestor(m_hwndOwner);
                        if (GetActiveWindow() == m_hwndOwner || FormLocator::IsActiveMdiChild(m_hwndOwner))
                            HookMDIFrame();
                    }
                });
                Trap([&] {
                    if (form.isMdiFrame) {
                        m_hwndMDIClient = FormLocator::FindMDIClient(m_hwndOwner);
                        if (m_hwndMDIClient) RegisterWindowMenu(m_hwndMDIClient, false);
                    }
                });
                Trap([&] { FindStatusBar(m_hwndMDIFrame ? m_hwndMDIFrame : m_hwndOwner); });
                Trap([&] { StartMenuBarRepaint(); });
            }
            Trap([&] {
                if (m_Tooltip && m_Tooltip->hwnd()) UnhookTooltipWindow(m_Tooltip->hwnd());
                // A tip of the old window is gone with it.
                m_hwndTooltipShownFor = nullptr;
                m_Tooltip = std::make_unique<CTooltip>();
                if (m_Tooltip->Init(m_hwndOwner)) {
                    HookTooltipWindow(m_Tooltip->hwnd());
                    m_Tooltip->SetInitialDelay(2500);
                    m_Tooltip->SetIcon(1);
                } else {
                    m_Tooltip.reset();
                }
            });
        }
    }
    // The user's settings as they are when the control starts.
    Trap([&] { m_colorScheme.Refresh(); });
    Trap([&] { ComputeDefaultColors(); });
}

void Quillon::HookMDIFrame() {
    if (!m_hwndMDIFrame || Terminated() || !FormLocator::IsOnThisThread(m_hwndMDIFrame)) return;
    SubclassWnd::HookWindow(m_hwndMDIFrame, this);
    HookMenuMessages(m_hwndMDIFrame);
    m_bFrameHooked = true;
}

void Quillon::UnhookMDIFrame() {
    if (!m_bFrameHooked) return;
    UnhookMenuMessages(m_hwndMDIFrame);
    SubclassWnd::UnhookWindow(m_hwndMDIFrame, this);
    // Nobody would draw the frame's items this control converted.
    Trap([&] { RestoreConvertedItems(m_hwndMDIFrame); });
    Trap([&] { DrawMenuBar(m_hwndMDIFrame); });
    Trap([&] { DropItemsOfWindow(m_hwndMDIFrame); });
    m_bFrameHooked = false;
}

void Quillon::OnMDIActivate(HWND hwnd, WPARAM, LPARAM lParam) {
    if (hwnd == reinterpret_cast<HWND>(lParam)) {
        Trap([&] { HookMDIFrame(); });
        Trap([&] { StartMenuBarRepaint(); });
    } else {
        m_mdiTimer.Stop();
        Trap([&] { UnhookMDIFrame(); });
    }
}

void Quillon::StartMenuBarRepaint() {
    if (Terminated()) return;  // its timer window is gone for good
    m_mdiTimer.SetInterval(5);
    m_mdiTimer.Start();
}

void Quillon::m_mdiTimer_Timer() {
    m_mdiTimer.Stop();
    ++m_menuBarRepaints;
    ReprocessMenuBar(m_hwndOwner);
}

void Quillon::m_NCTimer_Timer() {
    if (m_hwndHotTrack) TrackHotBarItem(m_hwndHotTrack);
}

void Quillon::RegisterWindowMenu(HWND hWindow, bool stop) {
    if (hWindow == m_hwndOwner || hWindow == m_hwndMDIFrame || !hWindow || !IsWindow(hWindow)) return;
    if (!stop) {
        if (Terminated()) throw WindowRefused(L"The control has been closed and hooks no more windows");
        // Its messages would reach another thread's hooks, which know nothing of it.
        if (!FormLocator::IsOnThisThread(hWindow))
            throw WindowRefused(L"The window belongs to another thread; register it with a control of that thread");
        if (SubclassWnd::IsWindowHooked(hWindow)) return;  // whoever hooked it
        SubclassWnd::HookWindow(hWindow, this);
        HookMenuMessages(hWindow);
        m_colRegistered.push_back(hWindow);
        return;
    }
    auto entry = std::find(m_colRegistered.begin(), m_colRegistered.end(), hWindow);
    if (entry == m_colRegistered.end() || !SubclassWnd::IsWindowHooked(hWindow)) return;
    UnhookMenuMessages(hWindow);
    SubclassWnd::UnhookWindow(hWindow, this);
    m_colRegistered.erase(entry);
}

}  // namespace quillon
