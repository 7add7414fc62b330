// Creation and release of the control. Every step is attempted; a step
// that fails is skipped and the next one runs.
#include <utility>
#include "control/ApiDeclares.h"
#include "control/MenuAnimation.h"
#include "control/Quillon.h"
#include "control/ResourceLibrary.h"
#include "control/ole/Module.h"
#include "hook/Guard.h"
#include "hook/SubclassWnd.h"

namespace quillon {
namespace {
thread_local int t_instanceCount = 0;
}

int Quillon::InstanceCount() { return t_instanceCount; }

void Quillon::UserControl_Initialize() {
    Trap([&] {
        m_bAttached = false;
        m_hwndStatusBar = nullptr;
        m_hBitmapBackgroundBrush = nullptr;
        m_hMenuBackgroundBrush = nullptr;
        m_hHighlightBorderPen = nullptr;
    });
    m_lItemSerial = m_serialBlock.Base();
    Trap([&] { m_aboutText = L"Quillon\r\nMenu enhancement control for Win32 programs\r\nVersion 1.0"; });
    Trap([&] { m_hResLib = ResourceLibrary::Load(ResourceLibrary::ControlFolder(module::Instance())); });
    // The user's language, English in place of a far-eastern one.
    Trap([&] {
        const LONG language = GetUserLanguage();
        const bool farEastern = language == qlKorean || language == qlJapanese || language == qlChineseTraditional ||
                                language == qlChineseSimplified;
        m_Language = farEastern ? static_cast<LONG>(qlEnglish) : language;
        LoadLanguageStrings(m_Language);
    });
    // English backs up every other language; the stock check mark is English.
    Trap([&] { LoadLanguageStrings(qlEnglish); });
    Trap([&] { m_DefaultCheckMark = GetDefaultCheckMark(); });
    Trap([&] {
        if (ApiDeclares::OSVersionNumber() > 1.0) {
            MenuAnimation::Join();
            m_bMenuAnimationRead = true;
        }
    });
    ++t_instanceCount;
    m_bInstanceCounted = true;
    // A development-environment warning about several controls per program
    // would go here; the delivered control never runs in one.
}

void Quillon::UserControl_InitProperties() { AttachToForm(); }

void Quillon::UserControl_Terminate() {
    ReleaseBackgroundPicture();
    Trap([&] {
        if (m_Tooltip && m_Tooltip->hwnd()) UnhookTooltipWindow(m_Tooltip->hwnd());
    });
    Trap([&] { m_Tooltip.reset(); });
    Trap([&] {
        if (m_hwndMDIFrame && m_bFrameHooked) UnhookMDIFrame();
    });
    Trap([&] {
        if (m_hwndMDIClient) RegisterWindowMenu(m_hwndMDIClient, true);
        m_hwndMDIClient = nullptr;
    });
    // Entries whose window died or was unhooked behind our back are not
    // removed by the unregister call; drop them so the loop ends.
    while (!m_colRegistered.empty()) {
        HWND first = m_colRegistered.front();
        Trap([&] { RegisterWindowMenu(first, true); });
        if (!m_colRegistered.empty() && m_colRegistered.front() == first) m_colRegistered.erase(m_colRegistered.begin());
    }
    Trap([&] {
        if (m_hwndOwner) {
            UnhookMenuMessages(m_hwndOwner);
            SubclassWnd::UnhookWindow(m_hwndOwner, this);
        }
    });
    // Menus that outlive the control are drawn by the system again.
    Trap([&] { RestoreConvertedItems(); });
    Trap([&] { m_menuBarBackground.Restore(); });
    Trap([&] {
        if (m_hwndOwner && IsWindow(m_hwndOwner)) DrawMenuBar(m_hwndOwner);
    });
    Trap([&] { m_timers.Destroy(); });
    Trap([&] { ReleaseScreenCapture(); });
    m_checkMarkMetrics.Reset();
    DeleteGdiCache();
    Trap([&] {
        ResourceLibrary::Free(m_hResLib);
        m_hResLib = nullptr;
    });
    // The user's menu animation comes back with the last control of the thread.
    if (std::exchange(m_bMenuAnimationRead, false)) MenuAnimation::Leave();
    if (m_bInstanceCounted) {
        --t_instanceCount;
        m_bInstanceCounted = false;
    }
}

void Quillon::DeleteGdiCache() noexcept {
    m_textMeasurer.Reset();  // it may hold the cached font
    auto drop = [](auto& handle) {
        if (handle) DeleteObject(handle);
        handle = nullptr;
    };
    drop(m_hBitmapBackgroundBrush);
    drop(m_hMenuBackgroundBrush);
    drop(m_hHighlightBorderPen);
    drop(m_hCachedFont);
}

}  // namespace quillon
