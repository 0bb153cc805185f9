#include "platform/gfx/Region.h"

#include <pixman.h>

namespace platform::gfx {

struct TRegion::Impl {
    pixman_region32_t region;
    Impl() { pixman_region32_init(&region); }
    ~Impl() { pixman_region32_fini(&region); }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
};

namespace {

void InitRect(pixman_region32_t* region, const core::TRect& r) {
    if (r.IsEmpty())
        pixman_region32_init(region);
    else
        pixman_region32_init_rect(region, r.Left, r.Top, static_cast<unsigned>(r.Width()),
                                  static_cast<unsigned>(r.Height()));
}

}  // namespace

TRegion::TRegion() : m_impl(std::make_unique<Impl>()) {}

TRegion::TRegion(const core::TRect& rect) : TRegion() {
    pixman_region32_fini(&m_impl->region);
    InitRect(&m_impl->region, rect);
}

TRegion::TRegion(const std::vector<core::TRect>& rects) : TRegion() {
    std::vector<pixman_box32_t> boxes;
    boxes.reserve(rects.size());
    for (const auto& r : rects)
        if (!r.IsEmpty()) boxes.push_back({r.Left, r.Top, r.Right, r.Bottom});
    if (boxes.empty()) return;
    // init_rects builds a valid region from overlapping or unsorted boxes.
    pixman_region32_fini(&m_impl->region);
    if (!pixman_region32_init_rects(&m_impl->region, boxes.data(), static_cast<int>(boxes.size())))
        pixman_region32_init(&m_impl->region);
}

TRegion::~TRegion() = default;

TRegion::TRegion(const TRegion& other) : TRegion() {
    pixman_region32_copy(&m_impl->region, &other.m_impl->region);
}

TRegion& TRegion::operator=(const TRegion& other) {
    if (this != &other) pixman_region32_copy(&m_impl->region, &other.m_impl->region);
    return *this;
}

// A moved-from region is empty, not null, so every operation on it stays valid.
TRegion::TRegion(TRegion&& other) noexcept : TRegion() {
    std::swap(m_impl, other.m_impl);
}

TRegion& TRegion::operator=(TRegion&& other) noexcept {
    if (this != &other) {
        std::swap(m_impl, other.m_impl);
        other.Clear();
    }
    return *this;
}

bool TRegion::IsEmpty() const {
    return !pixman_region32_not_empty(&m_impl->region);
}

core::TRect TRegion::Box() const {
    if (IsEmpty()) return {};
    const pixman_box32_t* b = pixman_region32_extents(&m_impl->region);
    return {b->x1, b->y1, b->x2, b->y2};
}

bool TRegion::Contains(core::TPoint p) const {
    return pixman_region32_contains_point(&m_impl->region, p.X, p.Y, nullptr) != 0;
}

bool TRegion::Intersects(const core::TRect& rect) const {
    if (rect.IsEmpty()) return false;
    pixman_box32_t box{rect.Left, rect.Top, rect.Right, rect.Bottom};
    return pixman_region32_contains_rectangle(&m_impl->region, &box) != PIXMAN_REGION_OUT;
}

std::vector<core::TRect> TRegion::Rects() const {
    int count = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&m_impl->region, &count);
    std::vector<core::TRect> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) out.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    return out;
}

int TRegion::RectCount() const {
    return pixman_region32_n_rects(&m_impl->region);
}

TRegion& TRegion::Union(const TRegion& other) {
    pixman_region32_union(&m_impl->region, &m_impl->region, &other.m_impl->region);
    return *this;
}

TRegion& TRegion::Union(const core::TRect& rect) {
    if (!rect.IsEmpty())
        pixman_region32_union_rect(&m_impl->region, &m_impl->region, rect.Left, rect.Top,
                                   static_cast<unsigned>(rect.Width()), static_cast<unsigned>(rect.Height()));
    return *this;
}

TRegion& TRegion::Intersect(const TRegion& other) {
    pixman_region32_intersect(&m_impl->region, &m_impl->region, &other.m_impl->region);
    return *this;
}

TRegion& TRegion::Intersect(const core::TRect& rect) {
    if (rect.IsEmpty()) {
        Clear();
        return *this;
    }
    pixman_region32_intersect_rect(&m_impl->region, &m_impl->region, rect.Left, rect.Top,
                                   static_cast<unsigned>(rect.Width()), static_cast<unsigned>(rect.Height()));
    return *this;
}

TRegion& TRegion::Subtract(const TRegion& other) {
    pixman_region32_subtract(&m_impl->region, &m_impl->region, &other.m_impl->region);
    return *this;
}

TRegion& TRegion::Subtract(const core::TRect& rect) {
    return Subtract(TRegion(rect));
}

TRegion& TRegion::Xor(const TRegion& other) {
    // pixman has no xor: (a - b) + (b - a).
    TRegion onlyOther(other);
    onlyOther.Subtract(*this);
    Subtract(other);
    return Union(onlyOther);
}

TRegion& TRegion::Offset(int dx, int dy) {
    pixman_region32_translate(&m_impl->region, dx, dy);
    return *this;
}

void TRegion::Clear() {
    pixman_region32_clear(&m_impl->region);
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, int mode) {
    TRegion result(a);
    switch (mode) {
        case RGN_AND:
            result.Intersect(b);
            break;
        case RGN_OR:
            result.Union(b);
            break;
        case RGN_XOR:
            result.Xor(b);
            break;
        case RGN_DIFF:
            result.Subtract(b);
            break;
        default:
            break;  // RGN_COPY and unknown modes give a copy of a
    }
    return result;
}

bool operator==(const TRegion& a, const TRegion& b) {
    return pixman_region32_equal(&a.m_impl->region, &b.m_impl->region) != 0;
}

}  // namespace platform::gfx
