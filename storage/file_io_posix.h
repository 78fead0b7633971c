// Native build only: where the documents folder is, since there is no shell.
#pragma once

void setDocumentsFolder(const char* path);
