#pragma once
#include "Win32.h"

// While alive, this executable's calls of one imported function go to a replacement instead:
// the tests see what the code under test hands to the system without its taking effect.
class CImportPatch {
public:
    CImportPatch(const char* dllName, const char* functionName, const void* replacement);
    ~CImportPatch();
    bool Patched() const { return m_slot != NULL; }

private:
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;
    void Write(const void* value);

    const void** m_slot;
    const void* m_original;
};
