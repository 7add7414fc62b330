#pragma once
// Counts the GDI objects and device contexts the test program makes and
// frees. Wine's GetGuiResources always answers 0, so the creating, deleting
// and DC-getting functions are patched in the main module's import table:
// the control is linked statically into the program, so all of its calls
// pass through that table. Objects made by other modules (OLE pictures,
// common controls) are not seen.
#include <windows.h>
#include <string>
#include <vector>

namespace quillon::test {

class GdiTally {
public:
    struct Handle {
        HANDLE handle;
        const char* madeBy;  // the function that returned it
    };

    // Forgets what was counted and patches the import table; false when no
    // function could be patched.
    static bool Start();
    // Puts the original functions back; what was counted stays readable.
    static void Stop();
    static bool Running();

    // Objects created since Start() and not deleted, and DCs got and not
    // released. An object that no longer exists (freed by another module,
    // e.g. a picture that owned its bitmap) is dropped.
    static std::vector<Handle> Live();
    static bool IsLive(HANDLE handle);
    // Totals since Start().
    static long Created();
    static long Deleted();
    static long DCsGot();  // GetDC, GetWindowDC, GetDCEx calls
    // How many import slots Start() patched.
    static int Patched();

    // One line per live handle, for failure messages.
    static std::string Describe(const std::vector<Handle>& handles);
};

}  // namespace quillon::test
