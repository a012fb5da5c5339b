#include "regions.h"

#include "framecell.h"

#include <algorithm>
#include <cstring>

namespace tarnivo {

namespace {

GdiRegion Checked(HRGN region)
{
    if (!region)
        throw EOutOfResources("Out of system resources");
    return GdiRegion(region);
}

} // namespace

GdiRegion RectRegion(const TRect& rect)
{
    return Checked(CreateRectRgnIndirect(&rect));
}

GdiRegion EmptyRegion()
{
    return Checked(CreateRectRgn(0, 0, 0, 0));
}

GdiRegion CopyRegion(HRGN region)
{
    if (!region)
        return GdiRegion();
    GdiRegion copy = EmptyRegion();
    CombineRgn(copy.Get(), region, nullptr, RGN_COPY);
    return copy;
}

void CombineRegion(GdiRegion& target, HRGN other, TRegionOp op)
{
    if (!target) {
        // Empty op X: only Or and Xor give something, a copy of X.
        if (op == TRegionOp::Or || op == TRegionOp::Xor)
            target = CopyRegion(other);
        return;
    }
    if (!other) {
        if (op == TRegionOp::And)
            target.Reset();
        return;
    }
    CombineRgn(target.Get(), target.Get(), other, static_cast<int>(op));
}

void OffsetRegion(GdiRegion& region, int dx, int dy)
{
    if (region)
        OffsetRgn(region.Get(), dx, dy);
}

GdiRegion RegionFromRects(std::span<const TRect> rects)
{
    TRegionBuilder builder;
    for (const TRect& r : rects)
        builder.Add(r);
    return builder.Finish();
}

std::vector<TRect> RegionRects(HRGN region)
{
    if (!region)
        return {};
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER))
        return {};
    std::vector<std::byte> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(region, size, data) == 0)
        return {};
    std::vector<TRect> rects(data->rdh.nCount);
    std::memcpy(rects.data(), data->Buffer, rects.size() * sizeof(TRect));
    return rects;
}

TRect RegionBounds(HRGN region)
{
    TRect box{};
    if (region && GetRgnBox(region, &box) == NULLREGION)
        box = TRect{};
    return box;
}

long long RegionArea(HRGN region)
{
    long long area = 0;
    for (const TRect& r : RegionRects(region))
        area += static_cast<long long>(RectWidth(r)) * RectHeight(r);
    return area;
}

bool RegionContains(HRGN region, int x, int y)
{
    return region && PtInRegion(region, x, y);
}

bool RegionIsEmpty(HRGN region)
{
    TRect box{};
    return !region || GetRgnBox(region, &box) == NULLREGION;
}

bool RegionsEqual(HRGN a, HRGN b)
{
    if (!a || !b)
        return RegionIsEmpty(a) && RegionIsEmpty(b);
    return EqualRgn(a, b) != 0;
}

void TRegionBuilder::Add(const TRect& rect)
{
    if (!HasArea(rect))
        return;
    if (m_rects.empty()) {
        m_bounds = rect;
    } else {
        m_bounds.left = std::min(m_bounds.left, rect.left);
        m_bounds.top = std::min(m_bounds.top, rect.top);
        m_bounds.right = std::max(m_bounds.right, rect.right);
        m_bounds.bottom = std::max(m_bounds.bottom, rect.bottom);
    }
    m_rects.push_back(rect);
    if (m_rects.size() >= kBatch)
        Flush();
}

void TRegionBuilder::Flush()
{
    if (m_rects.empty())
        return;
    const std::size_t bytes = sizeof(RGNDATAHEADER) + m_rects.size() * sizeof(TRect);
    std::vector<std::byte> buffer(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(m_rects.size());
    data->rdh.nRgnSize = static_cast<DWORD>(m_rects.size() * sizeof(TRect));
    data->rdh.rcBound = m_bounds;
    std::memcpy(data->Buffer, m_rects.data(), m_rects.size() * sizeof(TRect));
    GdiRegion part = Checked(ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), data));
    m_rects.clear();
    ++m_flushes;
    m_merged.push_back({std::move(part), 1});
    while (m_merged.size() >= 2 && m_merged[m_merged.size() - 2].batches == m_merged.back().batches)
        MergeLastTwo();
}

void TRegionBuilder::MergeLastTwo()
{
    Merged last = std::move(m_merged.back());
    m_merged.pop_back();
    Merged& into = m_merged.back();
    CombineRgn(into.region.Get(), into.region.Get(), last.region.Get(), RGN_OR);
    into.batches += last.batches;
}

GdiRegion TRegionBuilder::Finish()
{
    Flush();
    while (m_merged.size() >= 2)
        MergeLastTwo();
    GdiRegion result;
    if (!m_merged.empty())
        result = std::move(m_merged.back().region);
    m_merged.clear();
    m_bounds = TRect{};
    return result;
}

bool SetWindowRegion(HWND window, GdiRegion region, WindowRedraw redraw)
{
    if (!region)
        region = EmptyRegion();
    if (!SetWindowRgn(window, region.Get(), redraw == WindowRedraw::Yes))
        return false;   // still ours: freed as `region` goes
    // The window owns it now and frees it when it gets another or is destroyed.
    (void)region.Release();
    return true;
}

bool RemoveWindowRegion(HWND window, WindowRedraw redraw)
{
    return SetWindowRgn(window, nullptr, redraw == WindowRedraw::Yes) != 0;
}

GdiRegion WindowRegion(HWND window)
{
    GdiRegion copy = EmptyRegion();
    const int kind = GetWindowRgn(window, copy.Get());
    if (kind == ERROR)
        return GdiRegion();
    return copy;
}

} // namespace tarnivo
