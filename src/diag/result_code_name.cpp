#include "diag/result_code_name.h"

#include <cstdint>

namespace diag {

namespace {

struct NamedCode {
    uint32_t code;
    const char* name;
};

// The generic COM and Win32 codes, then DirectSound's. Other DirectX components never produce a
// code in this program and are named "Unknown".
constexpr NamedCode kNames[] = {
    {0x00000000, "S_OK"},
    {0x00000001, "S_FALSE"},
    {0x8000000A, "E_PENDING"},
    {0x80004001, "E_NOTIMPL"},
    {0x80004002, "E_NOINTERFACE"},
    {0x80004003, "E_POINTER"},
    {0x80004004, "E_ABORT"},
    {0x80004005, "E_FAIL"},
    {0x8000FFFF, "E_UNEXPECTED"},
    {0x80070005, "E_ACCESSDENIED"},
    {0x80070006, "E_HANDLE"},
    {0x8007000E, "E_OUTOFMEMORY"},
    {0x80070057, "E_INVALIDARG"},
    {0x80040110, "CLASS_E_NOAGGREGATION"},
    {0x80040154, "REGDB_E_CLASSNOTREG"},
    {0x800401F0, "CO_E_NOTINITIALIZED"},
    {0x800401F1, "CO_E_ALREADYINITIALIZED"},
    {2, "ERROR_FILE_NOT_FOUND"},
    {3, "ERROR_PATH_NOT_FOUND"},
    {4, "ERROR_TOO_MANY_OPEN_FILES"},
    {5, "ERROR_ACCESS_DENIED"},
    {6, "ERROR_INVALID_HANDLE"},
    {8, "ERROR_NOT_ENOUGH_MEMORY"},
    {9, "ERROR_INVALID_BLOCK"},
    {10, "ERROR_BAD_ENVIRONMENT"},
    {11, "ERROR_BAD_FORMAT"},
    {14, "ERROR_OUTOFMEMORY"},
    {0x0878000A, "DS_NO_VIRTUALIZATION"},
    {0x08780014, "DS_INCOMPLETE"},
    {0x8878000A, "DSERR_ALLOCATED"},
    {0x8878001E, "DSERR_CONTROLUNAVAIL"},
    {0x88780032, "DSERR_INVALIDCALL"},
    {0x88780046, "DSERR_PRIOLEVELNEEDED"},
    {0x88780064, "DSERR_BADFORMAT"},
    {0x88780078, "DSERR_NODRIVER"},
    {0x88780082, "DSERR_ALREADYINITIALIZED"},
    {0x88780096, "DSERR_BUFFERLOST"},
    {0x887800A0, "DSERR_OTHERAPPHASPRIO"},
    {0x887800AA, "DSERR_UNINITIALIZED"},
    {0x887800B4, "DSERR_BUFFERTOOSMALL"},
    {0x887800BE, "DSERR_DS8_REQUIRED"},
    {0x887800C8, "DSERR_SENDLOOP"},
    {0x887800D2, "DSERR_BADSENDBUFFERGUID"},
    {0x88781161, "DSERR_OBJECTNOTFOUND"},
};

}  // namespace

const char* ResultCodeName(HRESULT hr) {
    const auto code = static_cast<uint32_t>(hr);
    for (const NamedCode& entry : kNames) {
        if (entry.code == code) return entry.name;
    }
    return "Unknown";
}

}  // namespace diag
