#pragma once
// Where the form's controls come from. The program makes them from Notaline.dll and Kavrel.dll
// in its own folder; a test hands in a factory of the classes linked into it, and may look into
// the editor it made.
#include <windows.h>
#include <unknwn.h>

#include "com/ComPtr.h"

namespace tavolin {

class ControlFactory {
public:
    virtual ~ControlFactory() = default;
    virtual com::Ptr<IUnknown> CreateEditor() = 0;
    virtual com::Ptr<IUnknown> CreateButton() = 0;
    // The editor once it runs in the form.
    virtual void EditorHosted(IUnknown* /*editor*/) {}
};

class DllControlFactory final : public ControlFactory {
public:
    com::Ptr<IUnknown> CreateEditor() override;
    com::Ptr<IUnknown> CreateButton() override;
};

}  // namespace tavolin
