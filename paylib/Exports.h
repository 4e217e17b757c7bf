#pragma once

#include "abi/EntryPoints.h"

#include <cstdint>
#include <type_traits>

// The sixteen entry points of Zalvotech.dll, declared once. They are the only symbols the
// library exports; everything else is built with hidden visibility.
#if defined(_WIN32)
#define ZALVO_EXPORT extern "C" __declspec(dllexport)
#else
#define ZALVO_EXPORT extern "C" __attribute__((visibility("default")))
#endif

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_Init(const char* dataPath, const char* tempPath,
                                               const char* userPath, int32_t reserved);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_Free();
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_Version(char* record44);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_Info(char* record27);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_ConvertBLZKonto(char* account69);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_CreateXML(char* fileHeader404);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_WriteXML(char* paymentEntry708);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_CloseXML(char* summary20);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_GetBIC(const char* bankCode9, char* bic12);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_ReadDTA(const char* fileName256, char* buffer100);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_GetDTAInfo(char* dtaInfo348, int32_t* counter);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_PutDTAInfo(char* dtaInfo348);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_WriteDTAtoXML(char* fileHeader404);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_GetDTAProtokoll(char* buffer, int32_t bufferSize);
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_FreeDTAVars();
ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_SetLogFile(const char* fileName256, int32_t action,
                                                     int32_t inhalt, int32_t flush);

namespace paylib {

// True when the export has exactly the type the front end calls the entry point through.
template <zalvo::EntryPoint E, auto Export>
inline constexpr bool kExportMatches = std::is_same_v<decltype(Export), zalvo::EntryPointFn<E>>;

static_assert(kExportMatches<zalvo::EntryPoint::Init, &Zalvotech_Init>);
static_assert(kExportMatches<zalvo::EntryPoint::Free, &Zalvotech_Free>);
static_assert(kExportMatches<zalvo::EntryPoint::Version, &Zalvotech_Version>);
static_assert(kExportMatches<zalvo::EntryPoint::Info, &Zalvotech_Info>);
static_assert(kExportMatches<zalvo::EntryPoint::ConvertBLZKonto, &Zalvotech_ConvertBLZKonto>);
static_assert(kExportMatches<zalvo::EntryPoint::CreateXML, &Zalvotech_CreateXML>);
static_assert(kExportMatches<zalvo::EntryPoint::WriteXML, &Zalvotech_WriteXML>);
static_assert(kExportMatches<zalvo::EntryPoint::CloseXML, &Zalvotech_CloseXML>);
static_assert(kExportMatches<zalvo::EntryPoint::GetBIC, &Zalvotech_GetBIC>);
static_assert(kExportMatches<zalvo::EntryPoint::ReadDTA, &Zalvotech_ReadDTA>);
static_assert(kExportMatches<zalvo::EntryPoint::GetDTAInfo, &Zalvotech_GetDTAInfo>);
static_assert(kExportMatches<zalvo::EntryPoint::PutDTAInfo, &Zalvotech_PutDTAInfo>);
static_assert(kExportMatches<zalvo::EntryPoint::WriteDTAtoXML, &Zalvotech_WriteDTAtoXML>);
static_assert(kExportMatches<zalvo::EntryPoint::GetDTAProtokoll, &Zalvotech_GetDTAProtokoll>);
static_assert(kExportMatches<zalvo::EntryPoint::FreeDTAVars, &Zalvotech_FreeDTAVars>);
static_assert(kExportMatches<zalvo::EntryPoint::SetLogFile, &Zalvotech_SetLogFile>);
static_assert(zalvo::kEntryPointCount == 16, "every entry point is declared and checked above");

} // namespace paylib
