// TStrings: everything a string list inherits from its few storage operations.

#include "plataforma/base/string_list.h"

#include "plataforma/base/c_format.h"
#include "plataforma/base/cp1252.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

#include <string>

namespace {

// Blanks and controls (NUL included) separate comma-text items; bytes above 0x7F are text.
bool EsBlancoOControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool NecesitaComillas(const std::string& s) {
    for (char c : s)
        if (EsBlancoOControl(c) || c == '"' || c == ',') return true;
    return false;
}

} // namespace

void TStrings::IndexError(int Index) const {
    throw EStringListError(FormatoC("Índice de lista fuera de límites (%d)", Index));
}

void TStrings::SetStrings(int Index, const AnsiString& S) {
    TObject* objeto = GetObjects(Index);
    WithinUpdate([&] {
        Delete(Index);
        InsertObject(Index, S, objeto);
    });
}

TObject* TStrings::GetObjects(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return nullptr;
}

void TStrings::SetObjects(int Index, TObject*) {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
}

int TStrings::Add(const AnsiString& S) {
    int indice = GetCount();
    Insert(indice, S);
    return indice;
}

int TStrings::AddObject(const AnsiString& S, TObject* AObject) {
    int indice = Add(S);
    SetObjects(indice, AObject);
    return indice;
}

void TStrings::InsertObject(int Index, const AnsiString& S, TObject* AObject) {
    Insert(Index, S);
    SetObjects(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
    AnsiString texto = GetStrings(Index1);
    TObject* objeto = GetObjects(Index1);
    AnsiString otroTexto = GetStrings(Index2);
    TObject* otroObjeto = GetObjects(Index2);
    WithinUpdate([&] {
        SetStrings(Index1, otroTexto);
        SetObjects(Index1, otroObjeto);
        SetStrings(Index2, texto);
        SetObjects(Index2, objeto);
    });
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    // Both indexes are checked before anything moves, so that a bad one loses nothing.
    if (NewIndex < 0 || NewIndex >= GetCount()) IndexError(NewIndex);
    AnsiString texto = GetStrings(CurIndex);
    TObject* objeto = GetObjects(CurIndex);
    WithinUpdate([&] {
        Delete(CurIndex);
        InsertObject(NewIndex, texto, objeto);
    });
}

int TStrings::IndexOf(const AnsiString& S) const {
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (CompareStrings(GetStrings(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (GetObjects(i) == AObject) return i;
    return -1;
}

int TStrings::CompareStrings(const AnsiString& S1, const AnsiString& S2) const {
    return cp1252::CompareIC(S1.str(), S2.str());
}

AnsiString TStrings::GetText() const {
    std::string texto;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        texto += GetStrings(i).str();
        texto += "\r\n";
    }
    return AnsiString(std::move(texto));
}

void TStrings::SetText(const AnsiString& Text) {
    const std::string& t = Text.str();
    const size_t n = t.size();
    WithinUpdate([&] {
        Clear();
        size_t i = 0;
        while (i < n) {
            size_t fin = t.find_first_of("\r\n", i);
            if (fin == std::string::npos) {
                Add(AnsiString(t.substr(i)));
                break;
            }
            Add(AnsiString(t.substr(i, fin - i)));
            i = fin + 1;
            if (t[fin] == '\r' && i < n && t[i] == '\n') ++i;
        }
    });
}

AnsiString TStrings::GetCommaText() const {
    const int n = GetCount();
    if (n == 1 && GetStrings(0).IsEmpty()) return AnsiString("\"\"");
    std::string texto;
    for (int i = 0; i < n; ++i) {
        if (i > 0) texto += ',';
        std::string s = GetStrings(i).str();
        if (!NecesitaComillas(s)) {
            texto += s;
            continue;
        }
        texto += '"';
        for (char c : s) {
            if (c == '"') texto += '"';
            texto += c;
        }
        texto += '"';
    }
    return AnsiString(std::move(texto));
}

void TStrings::SetCommaText(const AnsiString& Value) {
    const std::string& t = Value.str();
    const size_t n = t.size();
    auto saltarBlancos = [&](size_t& i) {
        while (i < n && EsBlancoOControl(t[i]))
            ++i;
    };
    WithinUpdate([&] {
        Clear();
        size_t i = 0;
        saltarBlancos(i);
        while (i < n) {
            std::string item;
            if (t[i] == '"') {
                // Up to the closing quote; a doubled quote stands for one. An unclosed quote
                // runs to the end.
                ++i;
                while (i < n) {
                    if (t[i] == '"') {
                        if (i + 1 < n && t[i + 1] == '"') {
                            item += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    item += t[i++];
                }
            } else {
                size_t inicio = i;
                while (i < n && !EsBlancoOControl(t[i]) && t[i] != ',')
                    ++i;
                item.assign(t, inicio, i - inicio);
            }
            Add(AnsiString(std::move(item)));
            saltarBlancos(i);
            if (i < n && t[i] == ',') {
                if (i + 1 == n) Add(AnsiString());
                ++i;
                saltarBlancos(i);
            }
        }
    });
}

AnsiString TStrings::GetNames(int Index) const {
    AnsiString s = GetStrings(Index);
    size_t igual = s.str().find('=');
    return igual == std::string::npos ? AnsiString() : AnsiString(s.str().substr(0, igual));
}

int TStrings::IndexOfName(const AnsiString& Name) const {
    for (int i = 0, n = GetCount(); i < n; ++i) {
        AnsiString s = GetStrings(i);
        size_t igual = s.str().find('=');
        if (igual != std::string::npos &&
            CompareStrings(AnsiString(s.str().substr(0, igual)), Name) == 0)
            return i;
    }
    return -1;
}

AnsiString TStrings::GetValues(const AnsiString& Name) const {
    int i = IndexOfName(Name);
    if (i < 0) return AnsiString();
    AnsiString s = GetStrings(i);
    return AnsiString(s.str().substr(s.str().find('=') + 1));
}

void TStrings::SetValues(const AnsiString& Name, const AnsiString& Value) {
    int i = IndexOfName(Name);
    if (Value.IsEmpty()) {
        if (i >= 0) Delete(i);
        return;
    }
    // Added whole, not as an empty string then replaced, so that sorted lists take it too.
    if (i < 0)
        Add(Name + "=" + Value);
    else
        SetStrings(i, Name + "=" + Value);
}

void TStrings::Assign(const TStrings& Source) {
    if (&Source == this) return;
    WithinUpdate([&] {
        Clear();
        AddStrings(Source);
    });
}

void TStrings::AddStrings(const TStrings& Strings) {
    WithinUpdate([&] {
        for (int i = 0, n = Strings.GetCount(); i < n; ++i)
            AddObject(Strings.GetStrings(i), Strings.GetObjects(i));
    });
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const AnsiString& FileName) {
    std::string contenido;
    if (!ReadWholeFile(FileName, contenido))
        throw EFOpenError(AnsiString("No se puede abrir el fichero ") + FileName);
    SetText(AnsiString(std::move(contenido)));
}

void TStrings::SaveToFile(const AnsiString& FileName) const {
    // Whole or not at all: a failed save leaves the old file as it was.
    const std::string texto = GetText().str();
    FileWriter w;
    if (!w.Open(FileName, FileWriter::Mode::Binary)) throw EFCreateError(w.ErrorText());
    w.Write(texto.data(), texto.size());
    if (!w.Commit()) throw EWriteError(w.ErrorText());
}
