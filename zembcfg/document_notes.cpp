#include "zembcfg/document_notes.h"

#include "zembcfg/document_layout.h"

int docFieldPage(const DocField&) {
    return kNoPage;
}

std::string pageTitle(int page) {
    static const char* const titles[] = {"用紙サイズ", "プロッタ環境設定", "プロッタ追加設定",
                                         "ツール環境設定", "用紙設定"};
    return page >= 0 && page < 5 ? titles[page] : "どのページにもない値";
}

std::string valueNote(const DocField&, int64_t) {
    return "";
}
