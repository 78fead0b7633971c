// Value handling of the plotter additional page that needs no window: the
// packed PD-optimisation word, the 16-bit reductions of typed integers, the
// tool lists and the 128-byte text fields of the record.
#pragma once

#include <cstddef>
#include <cstdint>

// pdOptimize: bits 0-15 vertex count, 16-23 angle, 24-31 enabled.
// A word of 0 or less means "never set"; the page opens it as not enabled,
// angle 30, 512 vertices.
enum : int32_t { kPdOptimizeUnset = 0x1E0200 };

int32_t pdOptimizeInEffect(int32_t stored);
uint32_t pdVertexCount(int32_t packed);
uint32_t pdAngle(int32_t packed);
uint32_t pdEnabled(int32_t packed);
// Typed values keep only the bits their part of the word has room for.
int32_t packPdOptimize(int32_t vertexCount, int32_t angle, bool enabled);

// Tool lists hold the tools 1 to 10 at positions 0 to 9. A stored tool with no
// position gives -1 (no selection); no selection stores 0.
enum : int { kToolCount = 10 };
int toolListPosition(int32_t toolNumber);
int16_t toolNumberAt(int listPosition);

// Text fields: 128 bytes, at most 126 bytes of text, zero after it.
enum : size_t { kTextFieldSize = 128, kTextFieldMaxBytes = 126 };

// Clears the field and copies as much of text as fits in 126 bytes of whole
// code-page-932 characters: the driver reads the field in that code page, and
// half a character would swallow the terminator after it.
void storeTextField(char* field, const char* text);

// The text a field shows: up to its first NUL, and never more than its 128
// bytes even when a damaged file left it unterminated. out must hold 129.
enum : size_t { kTextShowSize = kTextFieldSize + 1 };
void textFieldToShow(const char* field, char* out);
