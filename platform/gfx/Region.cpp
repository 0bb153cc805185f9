#include "platform/gfx/Region.h"
#include "platform/gfx/RegionBuilder.h"

#include <pixman.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

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

TRegion TRegion::Scaled(int factor) const {
    if (factor <= 1) return *this;
    std::vector<core::TRect> rects = Rects();
    const auto scale = [factor](int v) {
        return static_cast<int>(
            std::clamp<long long>(static_cast<long long>(v) * factor, INT32_MIN, INT32_MAX));
    };
    for (core::TRect& r : rects) r = {scale(r.Left), scale(r.Top), scale(r.Right), scale(r.Bottom)};
    return TRegion(rects);
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

namespace platform::gfx {

TRegionBuilder::~TRegionBuilder() {
    std::free(m_block);
}

TRegionBuilder::TBox* TRegionBuilder::Boxes() const {
    static_assert(sizeof(TBox) == sizeof(pixman_box32_t));
    return reinterpret_cast<TBox*>(static_cast<pixman_region32_data_t*>(m_block) + 1);
}

// Doubling by realloc: large blocks move by remapping pages, not by copying them.
bool TRegionBuilder::Grow(std::size_t more) {
    if (m_count + more <= m_capacity) return true;
    const std::size_t capacity = std::max({m_capacity * 2, m_count + more, std::size_t{64}});
    void* block = std::realloc(m_block, sizeof(pixman_region32_data_t) + capacity * sizeof(TBox));
    if (!block) return false;
    m_block = block;
    m_capacity = capacity;
    return true;
}

void TRegionBuilder::AddRun(int y, int left, int right) {
    if (right <= left) return;
    if (m_inRow) {
        TBox& last = Boxes()[m_count - 1];
        if (y < last.Y1 || (y == last.Y1 && left < last.X1)) return;
        if (y == last.Y1 && left <= last.X2) {
            last.X2 = std::max(last.X2, right);  // touching runs are one
            return;
        }
        if (y > last.Y1) EndRow();
    }
    if (!Grow(1)) return;
    if (!m_inRow) {
        m_rowStart = m_count;
        m_inRow = true;
    }
    Boxes()[m_count++] = {left, y, right, y + 1};
}

void TRegionBuilder::AddRow(int y, const int32_t* edges, std::size_t count) {
    bool ordered = count % 2 == 0 && (!m_inRow || y > Boxes()[m_count - 1].Y1);
    for (std::size_t i = 1; ordered && i < count; ++i) ordered = edges[i - 1] < edges[i];
    if (!ordered || count == 0 || !Grow(count / 2)) {
        for (std::size_t i = 0; i + 1 < count; i += 2) AddRun(y, edges[i], edges[i + 1]);
        return;
    }
    EndRow();
    m_rowStart = m_count;
    m_inRow = true;
    TBox* boxes = Boxes() + m_count;
    for (std::size_t i = 0; i < count; i += 2) boxes[i / 2] = {edges[i], y, edges[i + 1], y + 1};
    m_count += count / 2;
}

// A row whose runs match the band just above it, which it touches, extends that band.
void TRegionBuilder::EndRow() {
    if (!m_inRow) return;
    m_inRow = false;
    TBox* boxes = Boxes();
    const std::size_t rowCount = m_count - m_rowStart;
    const std::size_t bandCount = m_rowStart - m_bandStart;
    bool same = rowCount == bandCount && bandCount > 0 && boxes[m_bandStart].Y2 == boxes[m_rowStart].Y1;
    for (std::size_t i = 0; same && i < rowCount; ++i) {
        same = boxes[m_bandStart + i].X1 == boxes[m_rowStart + i].X1 &&
               boxes[m_bandStart + i].X2 == boxes[m_rowStart + i].X2;
    }
    if (same) {
        const int32_t bottom = boxes[m_rowStart].Y2;
        m_count = m_rowStart;
        for (std::size_t i = m_bandStart; i < m_rowStart; ++i) boxes[i].Y2 = bottom;
    } else {
        m_bandStart = m_rowStart;
    }
}

TRegion TRegionBuilder::Finish() {
    EndRow();
    TRegion result;
    if (m_count > 0) {
        // The result is a fresh region of our own, so writing its representation is safe.
        pixman_region32_t& region = const_cast<TRegion::Impl*>(result.Handle())->region;
        const TBox* boxes = Boxes();
        region.extents = {boxes[0].X1, boxes[0].Y1, boxes[0].X2, boxes[m_count - 1].Y2};
        for (std::size_t i = 0; i < m_count; ++i) {
            region.extents.x1 = std::min(region.extents.x1, boxes[i].X1);
            region.extents.x2 = std::max(region.extents.x2, boxes[i].X2);
        }
        if (m_count == 1) {
            region.data = nullptr;
        } else {
            // Banded, sorted and coalesced as the library keeps its boxes: the block becomes the
            // region's data (the library frees it with free()).
            auto* data = static_cast<pixman_region32_data_t*>(m_block);
            data->size = static_cast<long>(m_capacity);
            data->numRects = static_cast<long>(m_count);
            region.data = data;
            m_block = nullptr;
            m_capacity = 0;
        }
    }
    m_count = m_rowStart = m_bandStart = 0;
    m_inRow = false;
    return result;
}

}  // namespace platform::gfx
