// The DirectMusic class: present from DirectX 6.1 on. Only its presence matters to the
// system, which creates it, releases it and calls nothing else, so the object answers
// IUnknown and IDirectMusic and offers no IDirectMusic method of its own.
#include "Registry.h"

namespace win32::installation {

namespace {

DEFINE_GUID(kIidIDirectMusic, 0x6536115A, 0x7B2D, 0x11D2, 0xBA, 0x18, 0x00, 0x00, 0xF8, 0x75, 0xAC,
            0x12);

int g_liveObjects = 0;

class DirectMusicObject final : public IUnknown {
  public:
    DirectMusicObject() { ++g_liveObjects; }

    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (iid != IID_IUnknown && iid != kIidIDirectMusic) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        *object = static_cast<IUnknown*>(this);
        return S_OK;
    }

    ULONG AddRef() override { return ++references_; }

    ULONG Release() override {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

  private:
    ~DirectMusicObject() { --g_liveObjects; }

    ULONG references_ = 1;
};

}  // namespace

HRESULT CreateDirectMusic(REFIID iid, void** object) {
    auto* created = new DirectMusicObject();
    HRESULT result = created->QueryInterface(iid, object);
    created->Release();  // the caller holds the only reference now, or none on failure
    return result;
}

int LiveDirectMusicObjects() {
    return g_liveObjects;
}

}  // namespace win32::installation
