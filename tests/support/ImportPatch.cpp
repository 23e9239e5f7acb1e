#include "ImportPatch.h"

namespace {
// The import address slot of this executable that holds target, or null.
const void** FindSlot(const char* dllName, const void* target)
{
    BYTE* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(NULL));
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return NULL;
    const IMAGE_IMPORT_DESCRIPTOR* entry =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; entry->Name; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dllName) != 0)
            continue;
        const void** slot = reinterpret_cast<const void**>(base + entry->FirstThunk);
        for (; *slot; ++slot)
            if (*slot == target)
                return slot;
    }
    return NULL;
}
}

CImportPatch::CImportPatch(const char* dllName, const char* functionName, const void* replacement)
    : m_slot(NULL), m_original(NULL)
{
    HMODULE dll = ::GetModuleHandleA(dllName);
    m_original = dll ? reinterpret_cast<const void*>(::GetProcAddress(dll, functionName)) : NULL;
    m_slot = m_original ? FindSlot(dllName, m_original) : NULL;
    if (m_slot)
        Write(replacement);
}

CImportPatch::~CImportPatch()
{
    if (m_slot)
        Write(m_original);
}

void CImportPatch::Write(const void* value)
{
    DWORD protection = 0;
    ::VirtualProtect(m_slot, sizeof *m_slot, PAGE_READWRITE, &protection);
    *m_slot = value;
    ::VirtualProtect(m_slot, sizeof *m_slot, protection, &protection);
}
