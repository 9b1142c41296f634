// The memory of cell properties: blocks cut in order from slabs, each slab as large as all
// the slabs before it, so that properties for a million rows (node levels) cost a few
// allocations instead of a million; a freed block waits in a list for the next properties.
// The slabs stay when the properties go, for the next grid, as the row store's pool counts
// on the C library keeping a freed heap: a grid filled again writes into memory already
// there instead of faulting in fresh pages. So the pool holds at most what the most
// properties alive at once took. A sanitizer build gives each properties object its own
// allocation, so that a use after free is caught.
#include "controles/grid/cell_properties.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define QUENBAR_CELL_POOL 0
#else
#define QUENBAR_CELL_POOL 1
#endif

namespace {

class TCellPropertiesPool {
public:
    static constexpr size_t BlockSize = sizeof(TCellProperties);

    void* Get() {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (FreeBlock* f = free_) {
            free_ = f->Next;
            return f;
        }
        if (next_ == end_) NewSlab();
        void* block = next_;
        next_ += BlockSize;
        return block;
    }

    void Put(void* Block) {
        const std::lock_guard<std::mutex> lock(mutex_);
        auto* f = static_cast<FreeBlock*>(Block);
        f->Next = free_;
        free_ = f;
    }

private:
    struct FreeBlock {
        FreeBlock* Next;
    };
    static_assert(BlockSize >= sizeof(FreeBlock));
    static_assert(BlockSize % alignof(TCellProperties) == 0);
    static constexpr size_t FirstSlabBlocks = 256;

    void NewSlab() {
        const size_t blocks = std::max(FirstSlabBlocks, slabBlocks_);
        slabs_.reserve(slabs_.size() + 1);
        next_ = static_cast<char*>(::operator new(blocks* BlockSize));
        end_ = next_ + blocks * BlockSize;
        slabs_.push_back(next_);
        slabBlocks_ += blocks;
    }

    std::mutex mutex_; // properties are made on the GUI thread; the lock costs little
    FreeBlock* free_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
    size_t slabBlocks_ = 0;    // the blocks of all the slabs
    std::vector<void*> slabs_; // every slab, kept (and reachable) for the life of the program
};

#if QUENBAR_CELL_POOL
// Made once and never destroyed: properties freed by objects that outlive the statics still
// find it.
TCellPropertiesPool& Pool() {
    static auto* pool = new TCellPropertiesPool;
    return *pool;
}
#endif

} // namespace

void* TCellProperties::operator new(size_t Size) {
#if QUENBAR_CELL_POOL
    if (Size == TCellPropertiesPool::BlockSize) return Pool().Get();
#endif
    return ::operator new(Size);
}

void TCellProperties::operator delete(void* Block, size_t Size) {
    if (!Block) return;
#if QUENBAR_CELL_POOL
    if (Size == TCellPropertiesPool::BlockSize) {
        Pool().Put(Block);
        return;
    }
#endif
    ::operator delete(Block);
}
