#pragma once

#include <cstdint>

// Control interface of the fake payment library, reached with dlsym on the loaded module.
// Arguments of a call are recorded as "buffers" (every pointer argument, copied with its
// contract size, the counter of GetDTAInfo as 4 bytes) and "ints" (every integer argument),
// each in argument order. Entry names are the exported names, e.g. "Zalvotech_GetBIC".
extern "C" {

// Forgets every recorded call and scripted response; results default to 0 again.
void Fake_Reset();

// Queues a response for the next unanswered call of `entry`.
void Fake_Script(const char* entry, int32_t result);
// Adds to the last queued response of `entry`: write `length` bytes into buffer `buffer`
// at `offset` before returning. Writes are cut at the buffer's contract size.
void Fake_ScriptWrite(const char* entry, int32_t buffer, int32_t offset, const char* bytes,
                      int32_t length);
// Result of `entry` once its queue is empty.
void Fake_SetDefault(const char* entry, int32_t result);

int32_t Fake_CallCount();
const char* Fake_CallName(int32_t call);
int32_t Fake_CallBufferCount(int32_t call);
// Length of the copy; `*bytes` points at it (valid until the next call or reset).
int32_t Fake_CallBuffer(int32_t call, int32_t buffer, const char** bytes);
int32_t Fake_CallIntCount(int32_t call);
int64_t Fake_CallInt(int32_t call, int32_t index);
}
