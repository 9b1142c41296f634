// Fuzz target for component images made elsewhere: the input is read into a component that
// stores a wide string list ("Items.WideStrings") and a picture ("Picture.Data") by the
// properties they define. Only EReadError may leave the reader; what was read writes an
// image that reads back the same.

#include "controles/edit/wide_strings.h"
#include "controles/grid/markup/picture_container.h"
#include "fuzz/ventanas_fuzz.h"
#include "plataforma/base/filer.h"
#include "plataforma/base/streams.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class Lista : public TWideStrings {
public:
    WideString Get(int i) const override { return items_.at(static_cast<size_t>(i)); }
    int GetCount() const override { return static_cast<int>(items_.size()); }
    void Insert(int i, const WideString& s) override { items_.insert(items_.begin() + i, s); }
    void Delete(int i) override { items_.erase(items_.begin() + i); }
    void Clear() override { items_.clear(); }

private:
    std::vector<WideString> items_;
};

class Poseedor : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TPoseedor"; }
    void WriteProperties(TWriter& W) override {
        W.WriteInteger("Tag", GetTag());
        W.WritePersistent("Items", &items);
        W.WritePersistent("Picture", &picture);
    }
    void ReadProperty(const AnsiString& Name, TReader& R) override {
        if (Name == "Tag")
            SetTag(R.ReadIntegerIn(INT_MIN, INT_MAX));
        else if (!R.ReadPersistent(Name, "Items", &items) &&
                 !R.ReadPersistent(Name, "Picture", &picture))
            TComponent::ReadProperty(Name, R);
    }
    Lista items;
    THTMLPicture picture;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniciarVentanas();
    TMemoryStream m;
    m.WriteBuffer(data, static_cast<int64_t>(size));
    m.SetPosition(0);
    Poseedor a(nullptr);
    try {
        m.ReadComponent(&a);
    } catch (const EReadError&) {
        return 0;
    }
    TMemoryStream otra;
    otra.WriteComponent(&a);
    otra.SetPosition(0);
    Poseedor b(nullptr);
    otra.ReadComponent(&b);
    if (b.GetName() != a.GetName() || b.GetTag() != a.GetTag() || !b.items.Equals(a.items) ||
        b.picture.SaveToBytes() != a.picture.SaveToBytes())
        std::abort();
    return 0;
}
