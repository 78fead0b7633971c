// diff reads export documents on either side.
#pragma once

struct SettingsImage;
struct Io;

// An export document read where a settings file is expected: its image takes
// the place of the text. A file that is no document stays as it is. False,
// with the problems in io.err, for a document the import refuses.
bool documentAsImage(SettingsImage* image, Io& io);
