// The history of the lookup edit and combo: completion, file-name completion, insertion
// with a limit, and the store it is kept in.

#include "controles/edit/lookup_combo.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/files.h"

#include <filesystem>
#include <string>

namespace {

bool StartsWith(const AnsiString& s, const AnsiString& prefix) {
    return s.str().compare(0, prefix.str().size(), prefix.str()) == 0;
}

// Whether s starts with the folded prefix, s folded as it is compared (no copy of it).
bool StartsWithFolded(const std::string& s, const std::string& folded, bool matchCase) {
    if (s.size() < folded.size()) return false;
    for (size_t k = 0; k < folded.size(); ++k) {
        const auto c = static_cast<unsigned char>(s[k]);
        if ((matchCase ? c : cp1252::ToUpper(c)) != static_cast<unsigned char>(folded[k]))
            return false;
    }
    return true;
}

} // namespace

int FindHistoryCompletion(const TStrings& History, const AnsiString& Prefix, bool MatchCase) {
    const AnsiString p = MatchCase ? Prefix : AnsiUpperCase(Prefix);
    for (int i = 0; i < History.GetCount(); ++i)
        if (StartsWithFolded(History.GetStrings(i).str(), p.str(), MatchCase)) return i;
    return -1;
}

AnsiString CompleteFileName(const AnsiString& Directory, const AnsiString& Text) {
    if (Text.IsEmpty()) return AnsiString();
    const std::string& t = Text.str();
    const size_t cut = t.find_last_of("\\/:");
    const AnsiString folder(cut == std::string::npos ? std::string() : t.substr(0, cut + 1));
    const AnsiString last(cut == std::string::npos ? t : t.substr(cut + 1));
    AnsiString where = folder;
    const bool absolute = !t.empty() && (t[0] == '/' || t[0] == '\\');
    if (!Directory.IsEmpty() && !absolute) {
        AnsiString dir = Directory;
        const char end = dir.str().back();
        if (end != '\\' && end != '/') dir = dir + "\\";
        where = dir + folder;
    }
    if (where.IsEmpty()) where = ".";
    std::error_code ec;
    std::filesystem::directory_iterator it(NativePath(where), ec), end;
    if (ec) return AnsiString();
    const AnsiString key = AnsiUpperCase(last);
    AnsiString best;
    for (; it != end; it.increment(ec)) {
        if (ec) break;
        const AnsiString name = FromNativePath(it->path().filename().string());
        if (name.IsEmpty() || name.str()[0] == '.') continue;
        if (!StartsWith(AnsiUpperCase(name), key)) continue;
        // The folder's order is the file system's: the first by name, as a listing shows.
        if (best.IsEmpty() || AnsiCompareStr(name, best) < 0) best = name;
    }
    return best.IsEmpty() ? AnsiString() : folder + best;
}

void AddToHistory(TStrings& History, const AnsiString& Text, TAutoHistoryDirection Direction,
                  int Limit) {
    if (Direction == ahdFirst) {
        while (Limit > 0 && History.GetCount() >= Limit)
            History.Delete(History.GetCount() - 1);
        History.Insert(0, Text);
    } else {
        while (Limit > 0 && History.GetCount() >= Limit)
            History.Delete(0);
        History.Add(Text);
    }
}
