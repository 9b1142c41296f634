// The file dialogs: what they are asked to show goes to the modal hooks, what comes back is
// completed as the window system's dialog completes it (the default extension).

#include "plataforma/gui/forms/dialogs.h"

#include <string>

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TComponent(AOwner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() {
    FileDialogRequest r;
    r.kind = DialogKind();
    r.title = title_;
    r.initialDir = initialDir_;
    r.filter = filter_;
    r.filterIndex = filterIndex_;
    r.defaultExt = defaultExt_;
    r.fileName = fileName_;
    for (int o = ofReadOnly; o <= ofForceShowHidden; ++o)
        if (options_.Contains(static_cast<TOpenOption>(o))) r.options |= 1u << o;
    if (OnShow) OnShow(this);
    bool accepted = GetModalHooks().FileDialog(r);
    if (OnClose) OnClose(this);
    if (!accepted || r.files.empty()) return false;
    files_->Clear();
    for (const AnsiString& f : r.files)
        files_->Add(AddDefaultExt(f, defaultExt_));
    fileName_ = files_->GetStrings(0);
    if (r.filterIndex > 0) filterIndex_ = r.filterIndex;
    return true;
}

TSaveDialog::TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) {
    SetFilter("Todas las imágenes (*.jpg;*.jpeg;*.bmp;*.ico;*.png;*.gif)|"
              "*.jpg;*.jpeg;*.bmp;*.ico;*.png;*.gif|"
              "Imágenes JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
              "Mapas de bits (*.bmp)|*.bmp|"
              "Iconos (*.ico)|*.ico|"
              "Imágenes PNG (*.png)|*.png|"
              "Imágenes GIF (*.gif)|*.gif");
}

std::vector<TFilterEntry> ParseFilter(const AnsiString& Filter) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : Filter.str()) {
        if (c == '|') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    std::vector<TFilterEntry> out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        TFilterEntry e;
        e.text = AnsiString(parts[i]);
        std::string pattern;
        for (char c : parts[i + 1] + ";") {
            if (c == ';') {
                size_t a = pattern.find_first_not_of(' ');
                size_t b = pattern.find_last_not_of(' ');
                if (a != std::string::npos)
                    e.patterns.push_back(AnsiString(pattern.substr(a, b - a + 1)));
                pattern.clear();
            } else {
                pattern += c;
            }
        }
        if (!e.patterns.empty()) out.push_back(std::move(e));
    }
    return out;
}

AnsiString AddDefaultExt(const AnsiString& FileName, const AnsiString& DefaultExt) {
    if (DefaultExt.IsEmpty() || FileName.IsEmpty()) return FileName;
    const std::string& s = FileName.str();
    size_t slash = s.find_last_of("\\/");
    std::string name = slash == std::string::npos ? s : s.substr(slash + 1);
    if (name.empty() || name.find('.') != std::string::npos) return FileName;
    std::string ext = DefaultExt.str();
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    return AnsiString(s + "." + ext);
}
