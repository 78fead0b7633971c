// The program's registry key, HKEY_CURRENT_USER\<kProgramKeyPath>: the
// page-setup values and RetVal, read by the plotter driver. The settings
// program and zembcfg reach it only through here.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Open for as long as it lives.
class ProgramKey {
  public:
    // Create makes the key (and the company key above it) when missing, as
    // the settings program does at every start; Read opens what is there and
    // never makes anything, as zembcfg must.
    enum Access { Read, Create };
    explicit ProgramKey(Access access);
    ~ProgramKey();
    ProgramKey(const ProgramKey&) = delete;
    ProgramKey& operator=(const ProgramKey&) = delete;

    bool opened() const { return key_ != nullptr; }
    // Value `name` as stored, whatever its type, when it holds at most 4 bytes
    // (*size of them); false when the value is missing or longer.
    bool read(const char* name, unsigned char (&data)[4], size_t* size) const;
    // Value `name` as a REG_DWORD; false when it was not written.
    bool writeDword(const char* name, uint32_t value) const;

  private:
    HKEY key_ = nullptr;
};

void LoadPageSetup();
// False when the key could not be opened or any value was not written.
bool SavePageSetup();
void writeRetVal(int32_t result);
