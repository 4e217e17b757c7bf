// A scriptable stand-in for the payment library: records each call with copies of its
// arguments and answers from a queue of programmed responses. Variants leave out chosen entry
// points through FAKE_OMIT_<entry> definitions.
#include "tests/fakes/FakeControl.h"

#include "abi/EntryPoints.h"
#include "abi/RecordLayouts.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Write {
    int32_t buffer;
    int32_t offset;
    std::string bytes;
};

struct Response {
    int32_t result = 0;
    std::vector<Write> writes;
};

struct Call {
    std::string name;
    std::vector<std::string> buffers;
    std::vector<int64_t> ints;
};

struct Script {
    std::deque<Response> queue;
    int32_t defaultResult = 0;
    std::vector<Write> defaultWrites;
};

// A pointer argument and the number of bytes the contract gives it.
struct Buffer {
    char* data;
    std::size_t size;
};

std::vector<Call>& calls() {
    static std::vector<Call> s_calls;
    return s_calls;
}

// Default answers from the environment, for a fake loaded by another program (zalvoreplay):
// ZALVO_FAKE_ANSWERS="Entry=result;buffer:offset:text;...|Entry=..." answers every call of
// Entry with the result, writing each text and its zero at the offset of the buffer.
std::map<std::string, Script> scriptsFromEnvironment() {
    std::map<std::string, Script> scripts;
    const char* answers = std::getenv("ZALVO_FAKE_ANSWERS");
    std::string_view rest = answers ? answers : "";
    auto next = [](std::string_view& text, char separator) {
        const std::size_t end = std::min(text.find(separator), text.size());
        const std::string_view part = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        return std::string(part);
    };
    while (!rest.empty()) {
        const std::string answerText = next(rest, '|');
        std::string_view answer = answerText;
        const std::string entry = next(answer, '=');
        Script& script = scripts[entry];
        script.defaultResult = std::atoi(next(answer, ';').c_str());
        while (!answer.empty()) {
            const std::string writeText = next(answer, ';');
            std::string_view write = writeText;
            const int buffer = std::atoi(next(write, ':').c_str());
            const int offset = std::atoi(next(write, ':').c_str());
            script.defaultWrites.push_back(Write{buffer, offset, std::string(write) + '\0'});
        }
    }
    return scripts;
}

std::map<std::string, Script>& scripts() {
    static std::map<std::string, Script> s_scripts = scriptsFromEnvironment();
    return s_scripts;
}

[[maybe_unused]] int32_t answer(const char* name, std::vector<Buffer> buffers,
                                std::vector<int64_t> ints) {
    Call call{name, {}, std::move(ints)};
    for (const Buffer& buffer : buffers) {
        call.buffers.emplace_back(buffer.data ? std::string(buffer.data, buffer.size)
                                              : std::string());
    }
    calls().push_back(std::move(call));

    Script& script = scripts()[name];
    Response response{script.defaultResult, script.defaultWrites};
    if (!script.queue.empty()) {
        response = std::move(script.queue.front());
        script.queue.pop_front();
    }
    for (const Write& write : response.writes) {
        if (write.buffer < 0 || static_cast<std::size_t>(write.buffer) >= buffers.size()) {
            continue;
        }
        const Buffer& target = buffers[static_cast<std::size_t>(write.buffer)];
        const auto offset = static_cast<std::size_t>(std::max(write.offset, 0));
        if (!target.data || offset >= target.size) {
            continue;
        }
        std::memcpy(target.data + offset, write.bytes.data(),
                    std::min(write.bytes.size(), target.size - offset));
    }
    return response.result;
}

[[maybe_unused]] char* mutableText(const char* text) {
    return const_cast<char*>(text);
}

} // namespace

FAKE_EXPORT void Fake_Reset() {
    calls().clear();
    scripts().clear();
}

FAKE_EXPORT void Fake_Script(const char* entry, int32_t result) {
    scripts()[entry].queue.push_back(Response{result, {}});
}

FAKE_EXPORT void Fake_ScriptWrite(const char* entry, int32_t buffer, int32_t offset,
                                  const char* bytes, int32_t length) {
    Script& script = scripts()[entry];
    if (script.queue.empty()) {
        script.queue.push_back(Response{});
    }
    script.queue.back().writes.push_back(
        Write{buffer, offset, std::string(bytes, static_cast<std::size_t>(std::max(length, 0)))});
}

FAKE_EXPORT void Fake_SetDefault(const char* entry, int32_t result) {
    scripts()[entry].defaultResult = result;
}

FAKE_EXPORT int32_t Fake_CallCount() {
    return static_cast<int32_t>(calls().size());
}

FAKE_EXPORT const char* Fake_CallName(int32_t call) {
    return calls().at(static_cast<std::size_t>(call)).name.c_str();
}

FAKE_EXPORT int32_t Fake_CallBufferCount(int32_t call) {
    return static_cast<int32_t>(calls().at(static_cast<std::size_t>(call)).buffers.size());
}

FAKE_EXPORT int32_t Fake_CallBuffer(int32_t call, int32_t buffer, const char** bytes) {
    const std::string& copy =
        calls().at(static_cast<std::size_t>(call)).buffers.at(static_cast<std::size_t>(buffer));
    *bytes = copy.data();
    return static_cast<int32_t>(copy.size());
}

FAKE_EXPORT int32_t Fake_CallIntCount(int32_t call) {
    return static_cast<int32_t>(calls().at(static_cast<std::size_t>(call)).ints.size());
}

FAKE_EXPORT int64_t Fake_CallInt(int32_t call, int32_t index) {
    return calls().at(static_cast<std::size_t>(call)).ints.at(static_cast<std::size_t>(index));
}

using zalvo::kPathBufferSize;

#ifndef FAKE_OMIT_Init
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_Init(const char* dataPath, const char* tempPath,
                                              const char* userPath, int32_t reserved) {
    return answer("Zalvotech_Init",
                  {{mutableText(dataPath), kPathBufferSize},
                   {mutableText(tempPath), kPathBufferSize},
                   {mutableText(userPath), kPathBufferSize}},
                  {reserved});
}
#endif

#ifndef FAKE_OMIT_Free
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_Free() {
    return answer("Zalvotech_Free", {}, {});
}
#endif

#ifndef FAKE_OMIT_Version
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_Version(char* record) {
    return answer("Zalvotech_Version", {{record, zalvo::version::kSize}}, {});
}
#endif

#ifndef FAKE_OMIT_Info
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_Info(char* record) {
    return answer("Zalvotech_Info", {{record, zalvo::info::kSize}}, {});
}
#endif

#ifndef FAKE_OMIT_ConvertBLZKonto
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_ConvertBLZKonto(char* record) {
    return answer("Zalvotech_ConvertBLZKonto", {{record, zalvo::account::kSize}}, {});
}
#endif

#ifndef FAKE_OMIT_CreateXML
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_CreateXML(char* record) {
    return answer("Zalvotech_CreateXML", {{record, zalvo::fileheader::kSize}}, {});
}
#endif

#ifndef FAKE_OMIT_WriteXML
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_WriteXML(char* record) {
    return answer("Zalvotech_WriteXML", {{record, zalvo::payment::kSize}}, {});
}
#endif

#ifndef FAKE_OMIT_CloseXML
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_CloseXML(char* record) {
    return answer("Zalvotech_CloseXML", {{record, zalvo::summary::kSize}}, {});
}
#endif

#ifndef FAKE_OMIT_GetBIC
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_GetBIC(const char* bankCode, char* bic) {
    return answer(
        "Zalvotech_GetBIC",
        {{mutableText(bankCode), zalvo::kBankCodeBufferSize}, {bic, zalvo::kBicBufferSize}}, {});
}
#endif

#ifndef FAKE_OMIT_ReadDTA
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_ReadDTA(const char* fileName, char* buffer) {
    return answer("Zalvotech_ReadDTA",
                  {{mutableText(fileName), kPathBufferSize}, {buffer, zalvo::kReadDTABufferSize}},
                  {});
}
#endif

#ifndef FAKE_OMIT_GetDTAInfo
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_GetDTAInfo(char* record, int32_t* counter) {
    return answer(
        "Zalvotech_GetDTAInfo",
        {{record, zalvo::dtainfo::kSize}, {reinterpret_cast<char*>(counter), sizeof(int32_t)}}, {});
}
#endif

#ifndef FAKE_OMIT_PutDTAInfo
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_PutDTAInfo(char* record) {
    return answer("Zalvotech_PutDTAInfo", {{record, zalvo::dtainfo::kSize}}, {});
}
#endif

#ifndef FAKE_OMIT_WriteDTAtoXML
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_WriteDTAtoXML(char* record) {
    return answer("Zalvotech_WriteDTAtoXML", {{record, zalvo::fileheader::kSize}}, {});
}
#endif

#ifndef FAKE_OMIT_GetDTAProtokoll
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_GetDTAProtokoll(char* buffer, int32_t bufferSize) {
    return answer("Zalvotech_GetDTAProtokoll",
                  {{buffer, static_cast<std::size_t>(std::max(bufferSize, 0))}}, {bufferSize});
}
#endif

#ifndef FAKE_OMIT_FreeDTAVars
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_FreeDTAVars() {
    return answer("Zalvotech_FreeDTAVars", {}, {});
}
#endif

#ifndef FAKE_OMIT_SetLogFile
FAKE_EXPORT int32_t ZALVO_CALL Zalvotech_SetLogFile(const char* fileName, int32_t action,
                                                    int32_t inhalt, int32_t flush) {
    return answer("Zalvotech_SetLogFile", {{mutableText(fileName), kPathBufferSize}},
                  {action, inhalt, flush});
}
#endif
