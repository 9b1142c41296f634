#pragma once
// The common file dialogs: TOpenDialog, TSaveDialog and TOpenPictureDialog. Execute goes
// through the modal hooks, so that tests answer it from their script and read back what
// it would have shown. The current folder never changes (as if ofNoChangeDir were set).

#include "plataforma/base/component.h"
#include "plataforma/base/events.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/string_list.h"

#include <memory>
#include <utility>
#include <vector>

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = SmallSet<TOpenOption>;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;

    const AnsiString& GetInitialDir() const { return initialDir_; }
    void SetInitialDir(const AnsiString& Value) { initialDir_ = Value; }
    // "Ficheros BDC (*.bdc)|*.bdc|Ficheros XML (*.xml)|*.xml": text and patterns in pairs,
    // patterns separated by ";"; they match names without regard to case.
    const AnsiString& GetFilter() const { return filter_; }
    void SetFilter(const AnsiString& Value) { filter_ = Value; }
    // 1-based; the filter chosen comes back here.
    int GetFilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int Value) { filterIndex_ = Value; }
    // Added (with its dot) to a chosen name that has no extension.
    const AnsiString& GetDefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const AnsiString& Value) { defaultExt_ = Value; }
    const AnsiString& GetTitle() const { return title_; }
    void SetTitle(const AnsiString& Value) { title_ = Value; }
    // The name proposed; after Execute, the (first) file chosen.
    const AnsiString& GetFileName() const { return fileName_; }
    void SetFileName(const AnsiString& Value) { fileName_ = Value; }
    // Every file chosen (several with ofAllowMultiSelect).
    TStrings* GetFiles() const { return files_.get(); }
    TOpenOptions GetOptions() const { return options_; }
    void SetOptions(TOpenOptions Value) { options_ = Value; }

    // Shows the dialog; true when the user chose a file (FileName and Files hold it).
    virtual bool Execute();

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    virtual FileDialogRequest::Kind DialogKind() const { return FileDialogRequest::Kind::Open; }

private:
    AnsiString initialDir_;
    AnsiString filter_;
    int filterIndex_ = 1;
    AnsiString defaultExt_;
    AnsiString title_;
    AnsiString fileName_;
    std::unique_ptr<TStringList> files_;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner);

protected:
    FileDialogRequest::Kind DialogKind() const override { return FileDialogRequest::Kind::Save; }
};

// An open dialog that shows the picture chosen; its filter starts with the picture formats
// the program reads.
class TOpenPictureDialog : public TOpenDialog {
public:
    explicit TOpenPictureDialog(TComponent* AOwner);

protected:
    FileDialogRequest::Kind DialogKind() const override {
        return FileDialogRequest::Kind::OpenPicture;
    }
};

// Inside the platform layer: a filter's (text, patterns) pairs; a text without patterns
// is dropped, patterns are split at ";".
struct TFilterEntry {
    AnsiString text;
    std::vector<AnsiString> patterns;
};
std::vector<TFilterEntry> ParseFilter(const AnsiString& Filter);
// The name with the default extension added when it has none.
AnsiString AddDefaultExt(const AnsiString& FileName, const AnsiString& DefaultExt);
