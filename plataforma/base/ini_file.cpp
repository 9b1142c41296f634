#include "plataforma/base/ini_file.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <climits>

#include <sys/stat.h>

namespace {

constexpr std::string_view kMarcaUtf8 = "\xEF\xBB\xBF";

bool EsBlanco(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view Recortar(std::string_view s) {
    while (!s.empty() && EsBlanco(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && EsBlanco(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string SinComillas(std::string_view valor) {
    if (valor.size() >= 2 && (valor.front() == '"' || valor.front() == '\'') &&
        valor.back() == valor.front())
        valor = valor.substr(1, valor.size() - 2);
    return std::string(valor);
}

bool EsComentario(std::string_view linea) {
    return !linea.empty() && (linea.front() == ';' || linea.front() == '#');
}

// Hexadecimal after "0x" or "$", as the class library's ReadInteger takes it.
bool LeerHexadecimal(const std::string& texto, int& valor) {
    size_t inicio = texto.rfind("0x", 0) == 0 || texto.rfind("0X", 0) == 0 ? 2
                    : texto.rfind('$', 0) == 0                             ? 1
                                                                           : 0;
    if (inicio == 0 || inicio == texto.size()) return false;
    unsigned long long acumulado = 0;
    for (size_t i = inicio; i < texto.size(); ++i) {
        char c = texto[i];
        int cifra = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (cifra < 0) return false;
        acumulado = acumulado * 16 + static_cast<unsigned>(cifra);
        if (acumulado > UINT_MAX) return false;
    }
    // Eight digits cover the whole 32 bits, negative values included ("$FFFFFFFF" is -1).
    valor = static_cast<int>(static_cast<unsigned>(acumulado));
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------
// IniDocument

std::string IniDocument::Fold(std::string_view name) {
    std::string plegado(name);
    for (char& c : plegado)
        c = static_cast<char>(cp1252::ToLower(static_cast<unsigned char>(c)));
    return plegado;
}

void IniDocument::Parse(std::string_view text) {
    sections_.clear();
    index_.clear();
    Section preambulo;
    preambulo.header = false;
    sections_.push_back(std::move(preambulo));
    size_t actual = 0;

    // A UTF-8 byte order mark (as some editors save) is not part of the first line; it is
    // written back with the file.
    bom_ = text.substr(0, kMarcaUtf8.size()) == kMarcaUtf8;
    if (bom_) text.remove_prefix(kMarcaUtf8.size());
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t fin = text.find('\n', pos);
        std::string_view linea = text.substr(pos, fin == std::string_view::npos ? fin : fin - pos);
        if (fin == std::string_view::npos && linea.empty()) break;
        pos = fin == std::string_view::npos ? text.size() + 1 : fin + 1;
        if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);

        std::string_view recortada = Recortar(linea);
        if (!recortada.empty() && recortada.front() == '[') {
            size_t cierre = recortada.find(']');
            std::string nombre(Recortar(
                recortada.substr(1, cierre == std::string_view::npos ? cierre : cierre - 1)));
            auto existente = index_.find(Fold(nombre));
            if (existente != index_.end()) {
                actual = existente->second;
            } else {
                Section nueva;
                nueva.name = std::move(nombre);
                sections_.push_back(std::move(nueva));
                actual = sections_.size() - 1;
                index_.emplace(Fold(sections_[actual].name), actual);
            }
            continue;
        }

        Line nueva;
        nueva.raw = std::string(linea);
        size_t igual = recortada.find('=');
        if (sections_[actual].header && !EsComentario(recortada) &&
            igual != std::string_view::npos) {
            std::string_view clave = Recortar(recortada.substr(0, igual));
            if (!clave.empty()) {
                nueva.entry = true;
                nueva.key = std::string(clave);
                nueva.value = SinComillas(Recortar(recortada.substr(igual + 1)));
            }
        }
        sections_[actual].lines.push_back(std::move(nueva));
    }
    for (Section& seccion : sections_)
        IndexKeys(seccion);
}

std::string IniDocument::Render() const {
    std::string texto(bom_ ? kMarcaUtf8 : std::string_view());
    for (const Section& seccion : sections_) {
        if (seccion.header) texto += "[" + seccion.name + "]\n";
        for (const Line& linea : seccion.lines) {
            texto += linea.edited ? linea.key + "=" + linea.value : linea.raw;
            texto += '\n';
        }
    }
    return texto;
}

void IniDocument::IndexKeys(Section& section) {
    section.keys.clear();
    for (size_t i = 0; i < section.lines.size(); ++i)
        if (section.lines[i].entry) section.keys.emplace(Fold(section.lines[i].key), i);
}

void IniDocument::IndexSections() {
    index_.clear();
    for (size_t i = 0; i < sections_.size(); ++i)
        if (sections_[i].header) index_.emplace(Fold(sections_[i].name), i);
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    auto it = index_.find(Fold(name));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    auto it = index_.find(Fold(name));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

const std::string* IniDocument::Find(std::string_view section, std::string_view key) const {
    const Section* seccion = FindSection(section);
    if (seccion == nullptr) return nullptr;
    auto it = seccion->keys.find(Fold(key));
    return it == seccion->keys.end() ? nullptr : &seccion->lines[it->second].value;
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> nombres;
    for (const Section& seccion : sections_)
        if (seccion.header) nombres.push_back(seccion.name);
    return nombres;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> claves;
    for (const auto& [clave, valor] : Entries(section))
        claves.push_back(clave);
    return claves;
}

std::vector<std::pair<std::string, std::string>>
IniDocument::Entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> pares;
    const Section* seccion = FindSection(section);
    if (seccion == nullptr) return pares;
    for (size_t i = 0; i < seccion->lines.size(); ++i) {
        const Line& linea = seccion->lines[i];
        // A repeated key is listed once, where it first appears.
        if (linea.entry && seccion->keys.at(Fold(linea.key)) == i)
            pares.emplace_back(linea.key, linea.value);
    }
    return pares;
}

IniDocument::Section& IniDocument::SectionFor(std::string_view name) {
    if (Section* existente = FindSection(name)) return *existente;
    // A blank line keeps the new section apart from the text before it.
    Section& ultima = sections_.back();
    bool separar = ultima.lines.empty()
                       ? ultima.header
                       : ultima.lines.back().edited || !Recortar(ultima.lines.back().raw).empty();
    if (separar) ultima.lines.push_back(Line());
    Section nueva;
    nueva.name = std::string(name);
    sections_.push_back(std::move(nueva));
    index_.emplace(Fold(name), sections_.size() - 1);
    return sections_.back();
}

bool IniDocument::AddSection(std::string_view section) {
    if (HasSection(section)) return false;
    SectionFor(section);
    return true;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    Section* seccion = &SectionFor(section);
    auto it = seccion->keys.find(Fold(key));
    if (it != seccion->keys.end()) {
        Line& linea = seccion->lines[it->second];
        if (linea.value == value) return false;
        linea.value = std::string(value);
        linea.edited = true;
        return true;
    }

    Line nueva;
    nueva.entry = true;
    nueva.edited = true;
    nueva.key = std::string(key);
    nueva.value = std::string(value);
    // After the section's last line with text, before the blank lines that end it.
    size_t pos = seccion->lines.size();
    while (pos > 0 && !seccion->lines[pos - 1].edited &&
           Recortar(seccion->lines[pos - 1].raw).empty())
        --pos;
    const std::string plegada = Fold(nueva.key);
    seccion->lines.insert(seccion->lines.begin() + static_cast<std::ptrdiff_t>(pos),
                          std::move(nueva));
    // At the end (as most keys are added) the other lines keep their places.
    if (pos + 1 == seccion->lines.size())
        seccion->keys.emplace(plegada, pos);
    else
        IndexKeys(*seccion);
    return true;
}

bool IniDocument::EraseSection(std::string_view section) {
    auto it = index_.find(Fold(section));
    if (it == index_.end()) return false;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
    IndexSections();
    return true;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    Section* seccion = FindSection(section);
    if (seccion == nullptr) return false;
    std::string plegada = Fold(key);
    size_t antes = seccion->lines.size();
    std::erase_if(seccion->lines,
                  [&](const Line& linea) { return linea.entry && Fold(linea.key) == plegada; });
    if (seccion->lines.size() == antes) return false;
    IndexKeys(*seccion);
    return true;
}

// ---------------------------------------------------------------------------------------
// TCustomIniFile

int TCustomIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident,
                                int Default) const {
    std::string valor = ReadString(Section, Ident, AnsiString()).str();
    int leido = 0;
    if (LeerHexadecimal(valor, leido)) return leido;
    return StrToIntDef(AnsiString(valor), Default);
}

bool TCustomIniFile::ReadBool(const AnsiString& Section, const AnsiString& Ident,
                              bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

void TCustomIniFile::WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

// ---------------------------------------------------------------------------------------
// TIniFile

namespace {

// The signature of a file; a file that does not exist has the empty one.
template <class S> S FirmaDe(const AnsiString& ruta) {
    S firma;
    struct stat st;
    // The file of the name as written first (what a save writes); only when there is none,
    // the one found without regard to case, which the store then reads.
    std::string nativa = NativePathForWriting(ruta);
    if (nativa.empty()) return firma;
    if (::stat(nativa.c_str(), &st) != 0 &&
        (nativa = NativePath(ruta), ::stat(nativa.c_str(), &st) != 0))
        return firma;
    firma.device = st.st_dev;
    firma.inode = st.st_ino;
    firma.size = static_cast<unsigned long long>(st.st_size);
    firma.seconds = st.st_mtim.tv_sec;
    firma.nanoseconds = st.st_mtim.tv_nsec;
    return firma;
}

} // namespace

TIniFile::TIniFile(const AnsiString& FileName) : TCustomIniFile(FileName) {
    Read();
}

TIniFile::~TIniFile() {
    try {
        UpdateFile();
    } catch (...) {
    }
}

void TIniFile::Read() {
    // The signature first: a file replaced in between is read again at the next look.
    read_ = FirmaDe<Signature>(GetFileName());
    // Held open, the file read keeps its number: a file that replaces it cannot get the same
    // one and pass for it.
    held_ = std::make_unique<FileReader>(GetFileName());
    std::string contenido;
    if (!held_->ReadAll(contenido)) contenido.clear();
    document_.Parse(contenido);
    for (const Change& cambio : pending_)
        Apply(document_, cambio);
}

void TIniFile::Refresh() {
    if (FirmaDe<Signature>(GetFileName()) != read_) Read();
}

void TIniFile::Apply(IniDocument& document, const Change& change) {
    switch (change.kind) {
    case Change::Set:
        document.Set(change.section, change.key, change.value);
        break;
    case Change::Delete:
        document.DeleteKey(change.section, change.key);
        break;
    case Change::Erase:
        document.EraseSection(change.section);
        break;
    }
}

void TIniFile::Record(Change change) {
    // A later change of the same key replaces the earlier one.
    if (change.kind != Change::Erase && !pending_.empty()) {
        Change& ultimo = pending_.back();
        if (ultimo.kind != Change::Erase && ultimo.section == change.section &&
            ultimo.key == change.key) {
            ultimo = std::move(change);
            return;
        }
    }
    pending_.push_back(std::move(change));
}

AnsiString TIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident,
                                const AnsiString& Default) const {
    const std::string* valor = document_.Find(Section.str(), Ident.str());
    return valor ? AnsiString(*valor) : Default;
}

void TIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident,
                           const AnsiString& Value) {
    if (document_.Set(Section.str(), Ident.str(), Value.str()))
        Record({Change::Set, Section.str(), Ident.str(), Value.str()});
}

void TIniFile::EraseSection(const AnsiString& Section) {
    if (document_.EraseSection(Section.str())) Record({Change::Erase, Section.str(), {}, {}});
}

void TIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
    if (document_.DeleteKey(Section.str(), Ident.str()))
        Record({Change::Delete, Section.str(), Ident.str(), {}});
}

void TIniFile::UpdateFile() {
    if (pending_.empty()) return;
    // The file as it is now: what others wrote since it was read stays.
    Read();
    AnsiString carpeta = ExtractFilePath(GetFileName());
    if (!carpeta.IsEmpty()) ForceDirectories(carpeta);
    FileWriter escritor;
    bool ok = escritor.Open(GetFileName(), FileWriter::Mode::Text, true);
    if (ok) {
        std::string texto = document_.Render();
        escritor.Write(texto.data(), texto.size());
        ok = escritor.Commit();
    }
    if (!ok)
        throw EIniFileException("No se puede escribir el fichero de configuración \"" +
                                GetFileName() + "\": " + escritor.ErrorText());
    pending_.clear();
    read_ = FirmaDe<Signature>(GetFileName());
    held_ = std::make_unique<FileReader>(GetFileName());
}

void TIniFile::ReadSection(const AnsiString& Section, TStrings& Strings) const {
    Strings.Clear();
    for (const std::string& clave : document_.KeyNames(Section.str()))
        Strings.Add(clave);
}

void TIniFile::ReadSections(TStrings& Strings) const {
    Strings.Clear();
    for (const std::string& nombre : document_.SectionNames())
        Strings.Add(nombre);
}

void TIniFile::ReadSectionValues(const AnsiString& Section, TStrings& Strings) const {
    Strings.Clear();
    for (const auto& [clave, valor] : document_.Entries(Section.str()))
        Strings.Add(AnsiString(clave + "=" + valor));
}

bool TIniFile::SectionExists(const AnsiString& Section) const {
    return document_.HasSection(Section.str());
}

bool TIniFile::ValueExists(const AnsiString& Section, const AnsiString& Ident) const {
    return document_.Find(Section.str(), Ident.str()) != nullptr;
}
