#pragma once
// A control on a real form, driven through IDispatch as an automation host
// drives it, with the container's change notifications and dirty flag.
#include <memory>
#include <vector>
#include "tests/control/Automation.h"
#include "tests/control/HostedControl.h"

namespace quillon::test {

struct AutomatedControl : ::testing::Test {
    RecordingWindow form;
    std::unique_ptr<HostedControl> q;
    std::unique_ptr<Automation> host;
    void Start(ContainerOptions options = {}) {
        q = std::make_unique<HostedControl>(form.hwnd(), options);
        host = std::make_unique<Automation>(q->container.Query<IDispatch>(IID_IDispatch).get());
        q->container.notifications().changed.clear();
    }
    Quillon* control() const { return q->control; }
    std::vector<DISPID>& changed() { return q->container.notifications().changed; }
    HRESULT IsDirty() { return q->container.Query<IPersistStreamInit>(IID_IPersistStreamInit)->IsDirty(); }
    // Saving clears the dirty flag.
    void SaveToClearDirty() {
        auto bag = PropertyBag::Create();
        ASSERT_EQ(S_OK, q->container.Save(bag.get()));
    }
};

}  // namespace quillon::test
