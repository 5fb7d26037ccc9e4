// Result codes of the display and sound layers, in the Windows convention: 0 success, 1 success
// meaning "false", negative failure. The values are the well-known published ones, so traces and
// tests can name them.
#pragma once

#include <cstdint>

using HRESULT = int32_t;

constexpr HRESULT MakeResult(uint32_t bits) {
    return static_cast<HRESULT>(bits);
}

constexpr bool Succeeded(HRESULT hr) {
    return hr >= 0;
}
constexpr bool Failed(HRESULT hr) {
    return hr < 0;
}

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = MakeResult(0x80004001);
constexpr HRESULT E_NOINTERFACE = MakeResult(0x80004002);
constexpr HRESULT E_POINTER = MakeResult(0x80004003);
constexpr HRESULT E_FAIL = MakeResult(0x80004005);
constexpr HRESULT E_UNEXPECTED = MakeResult(0x8000FFFF);
constexpr HRESULT CO_E_NOTINITIALIZED = MakeResult(0x800401F0);
constexpr HRESULT E_OUTOFMEMORY = MakeResult(0x8007000E);
constexpr HRESULT E_INVALIDARG = MakeResult(0x80070057);

// Display.
constexpr HRESULT DDERR_SURFACELOST = MakeResult(0x887601C2);
constexpr HRESULT DDERR_INVALIDRECT = MakeResult(0x88760096);

// Sound.
constexpr HRESULT DS_NO_VIRTUALIZATION = MakeResult(0x0878000A);
constexpr HRESULT DS_INCOMPLETE = MakeResult(0x08780014);
constexpr HRESULT DSERR_ALLOCATED = MakeResult(0x8878000A);
constexpr HRESULT DSERR_CONTROLUNAVAIL = MakeResult(0x8878001E);
constexpr HRESULT DSERR_INVALIDCALL = MakeResult(0x88780032);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = MakeResult(0x88780046);
constexpr HRESULT DSERR_BADFORMAT = MakeResult(0x88780064);
constexpr HRESULT DSERR_NODRIVER = MakeResult(0x88780078);
constexpr HRESULT DSERR_ALREADYINITIALIZED = MakeResult(0x88780082);
constexpr HRESULT DSERR_BUFFERLOST = MakeResult(0x88780096);
constexpr HRESULT DSERR_OTHERAPPHASPRIO = MakeResult(0x887800A0);
constexpr HRESULT DSERR_UNINITIALIZED = MakeResult(0x887800AA);
constexpr HRESULT DSERR_BUFFERTOOSMALL = MakeResult(0x887800B4);
constexpr HRESULT DSERR_DS8_REQUIRED = MakeResult(0x887800BE);
constexpr HRESULT DSERR_SENDLOOP = MakeResult(0x887800C8);
constexpr HRESULT DSERR_BADSENDBUFFERGUID = MakeResult(0x887800D2);
constexpr HRESULT DSERR_OBJECTNOTFOUND = MakeResult(0x88781161);
