#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The C boundary of the payment library Zalvotech.dll: calling convention, the sixteen
// entry-point types and the names they are exported under.

#if defined(_WIN32) && !defined(_WIN64)
#define ZALVO_CALL __stdcall
#else
#define ZALVO_CALL
#endif

namespace zalvo {

using InitFn = int32_t(ZALVO_CALL*)(const char* dataPath, const char* tempPath,
                                    const char* userPath, int32_t reserved);
using FreeFn = int32_t(ZALVO_CALL*)();
using VersionFn = int32_t(ZALVO_CALL*)(char* record44);
using InfoFn = int32_t(ZALVO_CALL*)(char* record27);
using ConvertBLZKontoFn = int32_t(ZALVO_CALL*)(char* account69);
using CreateXMLFn = int32_t(ZALVO_CALL*)(char* fileHeader404);
using WriteXMLFn = int32_t(ZALVO_CALL*)(char* paymentEntry708);
using CloseXMLFn = int32_t(ZALVO_CALL*)(char* summary20);
using GetBICFn = int32_t(ZALVO_CALL*)(const char* bankCode9, char* bic12);
using ReadDTAFn = int32_t(ZALVO_CALL*)(const char* fileName256, char* buffer100);
using GetDTAInfoFn = int32_t(ZALVO_CALL*)(char* dtaInfo348, int32_t* counter);
using PutDTAInfoFn = int32_t(ZALVO_CALL*)(char* dtaInfo348);
using WriteDTAtoXMLFn = int32_t(ZALVO_CALL*)(char* fileHeader404);
// Copies the text protocol of the last read, zero-terminated and cut to bufferSize-1 bytes;
// returns the protocol's full length or a negative code.
using GetDTAProtokollFn = int32_t(ZALVO_CALL*)(char* buffer, int32_t bufferSize);
using FreeDTAVarsFn = int32_t(ZALVO_CALL*)();
using SetLogFileFn = int32_t(ZALVO_CALL*)(const char* fileName256, int32_t action, int32_t inhalt,
                                          int32_t flush);

// Slots of the entry-point table, in binding order.
enum class EntryPoint : int {
    Init,
    Free,
    Version,
    Info,
    ConvertBLZKonto,
    CreateXML,
    WriteXML,
    CloseXML,
    GetBIC,
    ReadDTA,
    GetDTAInfo,
    PutDTAInfo,
    WriteDTAtoXML,
    GetDTAProtokoll,
    FreeDTAVars,
    SetLogFile,
};

inline constexpr std::size_t kEntryPointCount = 16;

// Exported names, looked up in this order (case matters).
inline constexpr std::array<std::string_view, kEntryPointCount> kEntryPointNames = {
    "Zalvotech_Init",
    "Zalvotech_Free",
    "Zalvotech_Version",
    "Zalvotech_Info",
    "Zalvotech_ConvertBLZKonto",
    "Zalvotech_CreateXML",
    "Zalvotech_WriteXML",
    "Zalvotech_CloseXML",
    "Zalvotech_GetBIC",
    "Zalvotech_ReadDTA",
    "Zalvotech_GetDTAInfo",
    "Zalvotech_PutDTAInfo",
    "Zalvotech_WriteDTAtoXML",
    "Zalvotech_GetDTAProtokoll",
    "Zalvotech_FreeDTAVars",
    "Zalvotech_SetLogFile",
};

constexpr std::size_t slotIndex(EntryPoint entry) {
    return static_cast<std::size_t>(entry);
}

constexpr std::string_view entryPointName(EntryPoint entry) {
    return kEntryPointNames[slotIndex(entry)];
}

// Maps a slot to its function-pointer type, so a bound slot is handed out typed.
template <EntryPoint E> struct EntryPointType;
template <> struct EntryPointType<EntryPoint::Init> { using type = InitFn; };
template <> struct EntryPointType<EntryPoint::Free> { using type = FreeFn; };
template <> struct EntryPointType<EntryPoint::Version> { using type = VersionFn; };
template <> struct EntryPointType<EntryPoint::Info> { using type = InfoFn; };
template <> struct EntryPointType<EntryPoint::ConvertBLZKonto> { using type = ConvertBLZKontoFn; };
template <> struct EntryPointType<EntryPoint::CreateXML> { using type = CreateXMLFn; };
template <> struct EntryPointType<EntryPoint::WriteXML> { using type = WriteXMLFn; };
template <> struct EntryPointType<EntryPoint::CloseXML> { using type = CloseXMLFn; };
template <> struct EntryPointType<EntryPoint::GetBIC> { using type = GetBICFn; };
template <> struct EntryPointType<EntryPoint::ReadDTA> { using type = ReadDTAFn; };
template <> struct EntryPointType<EntryPoint::GetDTAInfo> { using type = GetDTAInfoFn; };
template <> struct EntryPointType<EntryPoint::PutDTAInfo> { using type = PutDTAInfoFn; };
template <> struct EntryPointType<EntryPoint::WriteDTAtoXML> { using type = WriteDTAtoXMLFn; };
template <> struct EntryPointType<EntryPoint::GetDTAProtokoll> { using type = GetDTAProtokollFn; };
template <> struct EntryPointType<EntryPoint::FreeDTAVars> { using type = FreeDTAVarsFn; };
template <> struct EntryPointType<EntryPoint::SetLogFile> { using type = SetLogFileFn; };

template <EntryPoint E> using EntryPointFn = typename EntryPointType<E>::type;

// Arguments of SetLogFile, shared with the front end's own log writer.
inline constexpr int32_t kLogActionCreate = 1;
inline constexpr int32_t kLogActionAppend = 2;
inline constexpr int32_t kLogActionStop = 3;
inline constexpr int32_t kLogActionClose = 4;
inline constexpr int32_t kLogContentAll = 7;
inline constexpr int32_t kLogFlushNone = 0;
inline constexpr int32_t kLogFlushAlways = 2;

// The front end's own result codes.
inline constexpr int32_t kResultOk = 0;
inline constexpr int32_t kLibraryNotLoadable = -99999;
inline constexpr int32_t kEntryPointMissing = -99998;
inline constexpr int32_t kLibraryNotLoaded = -99997;

// Answer of GetDTAInfo when no entry is left.
inline constexpr int32_t kNoEntryLeft = -3;

} // namespace zalvo
