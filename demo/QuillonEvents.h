#pragma once
// What the frame does with the control's events. The sink forwards only
// these three; the others need nothing from DemoHost.
#include <windows.h>
#include <oaidl.h>
#include <string>

namespace demo {

class QuillonEvents {
public:
    virtual void SetMenuItemAttributes(IDispatch* menuItem) = 0;
    virtual void ShowMenuHelp(IDispatch* menuItem, const std::wstring& helpMessage) = 0;
    virtual void ClearMenuHelp() = 0;

protected:
    ~QuillonEvents() = default;
};

}  // namespace demo
