#include "user/WindowTree.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "win32/constants.h"

namespace win32::user {

namespace {

struct Tree {
    std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows;
    std::vector<std::unique_ptr<Window>> retired;
    std::vector<Window*> topLevels;
    std::vector<std::shared_ptr<WindowClass>> classes;
    std::uintptr_t nextHandle = 0x00010010;
    std::uint64_t nextSerial = 1;
    ATOM nextAtom = 0xC000;
    int apiDepth = 0;
    int pendingPaints = 0;
};

Tree& TheTree() {
    static Tree tree;
    return tree;
}

bool SameClassName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; b[i] != '\0'; ++i) {
        if (i >= a.size() || std::tolower(static_cast<unsigned char>(a[i])) !=
                                 std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size();
}

bool IsTopMost(const Window* w) {
    return (w->exStyle & WS_EX_TOPMOST) != 0;
}

void InsertInto(std::vector<Window*>& list, Window* window, HWND insertAfter) {
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
    if (insertAfter == HWND_BOTTOM) {
        list.push_back(window);
        return;
    }
    if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
        auto it = std::find_if(list.begin(), list.end(),
                               [&](Window* w) { return w->handle == insertAfter; });
        if (it != list.end()) {
            list.insert(it + 1, window);
            return;
        }
    }
    list.insert(list.begin(), window);
}

}  // namespace

Window* Find(HWND handle) {
    if (handle == nullptr)
        return nullptr;
    auto& windows = TheTree().windows;
    auto it = windows.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == windows.end() ? nullptr : it->second.get();
}

Window* CreateRecord() {
    Tree& tree = TheTree();
    auto window = std::make_unique<Window>();
    std::uintptr_t value = tree.nextHandle;
    tree.nextHandle += 2;  // handles are never reused, so a stale handle stays invalid
    window->handle = reinterpret_cast<HWND>(value);
    window->serial = tree.nextSerial++;
    Window* raw = window.get();
    tree.windows.emplace(value, std::move(window));
    return raw;
}

void Retire(Window* window) {
    Tree& tree = TheTree();
    window->life = Life::Gone;
    if (window->paintQueued) {
        window->paintQueued = false;
        --tree.pendingPaints;
    }
    auto it = tree.windows.find(reinterpret_cast<std::uintptr_t>(window->handle));
    if (it != tree.windows.end()) {
        tree.retired.push_back(std::move(it->second));
        tree.windows.erase(it);
    }
}

const std::vector<Window*>& TopLevels() {
    return TheTree().topLevels;
}

namespace {
void CollectTree(Window* window, std::vector<Window*>* out) {
    out->push_back(window);
    for (Window* child : window->children)
        CollectTree(child, out);
}
}  // namespace

std::vector<Window*> AllWindows() {
    std::vector<Window*> all;
    for (Window* top : TheTree().topLevels)
        CollectTree(top, &all);
    return all;
}

int PendingPaintCount() {
    return TheTree().pendingPaints;
}

void AdjustPendingPaints(int delta) {
    TheTree().pendingPaints += delta;
}

std::shared_ptr<WindowClass> FindClass(LPCSTR nameOrAtom) {
    if (nameOrAtom == nullptr)
        return nullptr;
    for (auto& cls : TheTree().classes) {
        if (IS_INTRESOURCE(nameOrAtom)) {
            if (cls->atom == LOWORD(reinterpret_cast<ULONG_PTR>(nameOrAtom)))
                return cls;
        } else if (SameClassName(cls->name, nameOrAtom)) {
            return cls;
        }
    }
    return nullptr;
}

std::shared_ptr<WindowClass> AddClass(WindowClass cls) {
    Tree& tree = TheTree();
    cls.atom = tree.nextAtom++;
    auto shared = std::make_shared<WindowClass>(std::move(cls));
    tree.classes.push_back(shared);
    return shared;
}

bool RemoveClass(LPCSTR nameOrAtom) {
    auto cls = FindClass(nameOrAtom);
    if (!cls || cls->liveWindows > 0)
        return false;
    auto& classes = TheTree().classes;
    classes.erase(std::remove(classes.begin(), classes.end(), cls), classes.end());
    return true;
}

ApiScope::ApiScope() {
    Tree& tree = TheTree();
    if (tree.apiDepth++ == 0 && !tree.retired.empty())
        tree.retired.clear();
}

ApiScope::~ApiScope() {
    --TheTree().apiDepth;
}

Window* Root(Window* window) {
    while (window != nullptr && window->parent != nullptr)
        window = window->parent;
    return window;
}

bool IsDescendant(const Window* window, const Window* ancestor) {
    for (const Window* w = window; w != nullptr; w = w->parent) {
        if (w == ancestor)
            return true;
    }
    return false;
}

void LinkTopLevel(Window* window, HWND insertAfter) {
    auto& list = TheTree().topLevels;
    if (insertAfter == HWND_TOPMOST)
        window->exStyle |= WS_EX_TOPMOST;
    else if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM)
        window->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
    InsertInto(list, window, insertAfter);
    // The top-most band stays in front; within each band the order is kept, so "top" lands
    // at the top of the window's own band.
    std::stable_partition(list.begin(), list.end(), IsTopMost);
}

void LinkChild(Window* window, Window* parent, HWND insertAfter) {
    window->parent = parent;
    InsertInto(parent->children, window, insertAfter);
}

void Unlink(Window* window) {
    auto& list = SiblingsOf(window);
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

std::vector<Window*>& SiblingsOf(Window* window) {
    return window->parent != nullptr ? window->parent->children : TheTree().topLevels;
}

POINT ClientOrigin(const Window* window) {
    POINT origin{0, 0};
    for (const Window* w = window; w != nullptr; w = w->parent) {
        origin.x += w->rect.left;
        origin.y += w->rect.top;
    }
    return origin;
}

RECT ScreenRect(const Window* window) {
    POINT origin = ClientOrigin(window);
    return RECT{origin.x, origin.y, origin.x + window->Width(), origin.y + window->Height()};
}

RECT ClientRect(const Window* window) {
    return RECT{0, 0, window->Width(), window->Height()};
}

bool IsDrawable(const Window* window) {
    for (const Window* w = window; w != nullptr; w = w->parent) {
        if (w->life == Life::Gone || (w->style & WS_VISIBLE) == 0 || (w->style & WS_MINIMIZE))
            return false;
    }
    return true;
}

namespace {
bool CoversScreen(const Window* w) {
    return w->life != Life::Gone && (w->style & WS_VISIBLE) && !(w->style & WS_MINIMIZE);
}
}  // namespace

namespace {

// The part of the screen a window may draw on. `byStyle`: as its device contexts see it, where
// a window without WS_CLIPCHILDREN draws over its children and a child without WS_CLIPSIBLINGS
// over the siblings above it (top-level windows always clip one another); otherwise what of it
// actually shows.
RectSet ScreenArea(const Window* window, bool byStyle) {
    if (!IsDrawable(window))
        return RectSet();
    RECT area = ScreenRect(window);
    for (const Window* a = window->parent; a != nullptr; a = a->parent)
        area = Intersection(area, ScreenRect(a));
    RectSet region(area);
    if (region.IsEmpty())
        return region;
    if (!byStyle || (window->style & WS_CLIPCHILDREN)) {
        for (const Window* child : window->children) {
            if (CoversScreen(child))
                region.Subtract(ScreenRect(child));
        }
    }
    const Window* level = window;
    while (true) {
        bool clipsSiblings =
            !byStyle || level->parent == nullptr || (level->style & WS_CLIPSIBLINGS);
        const auto& siblings =
            level->parent != nullptr ? level->parent->children : TheTree().topLevels;
        for (const Window* sibling : siblings) {
            if (sibling == level || !clipsSiblings)
                break;
            if (CoversScreen(sibling))
                region.Subtract(ScreenRect(sibling));
        }
        if (level->parent == nullptr)
            break;
        level = level->parent;
    }
    return region;
}

}  // namespace

RectSet VisibleRegion(const Window* window) {
    return ScreenArea(window, false);
}

RectSet DrawingRegion(const Window* window) {
    return ScreenArea(window, true);
}

LRESULT Send(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsLive(window) || window->proc == nullptr)
        return 0;
    return window->proc(window->handle, message, wParam, lParam);
}

void ResetTree() {
    Tree& tree = TheTree();
    // Records go to the retired list rather than away at once: a reset from inside a window
    // procedure must not pull a record from under a caller further up the stack.
    for (auto& entry : tree.windows) {
        entry.second->life = Life::Gone;
        tree.retired.push_back(std::move(entry.second));
    }
    tree.windows.clear();
    tree.topLevels.clear();
    tree.classes.clear();
    if (tree.apiDepth == 0)
        tree.retired.clear();
    tree.pendingPaints = 0;
}

}  // namespace win32::user
