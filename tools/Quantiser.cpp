#include "tools/Quantiser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>

namespace nuvik::tools {

namespace {

constexpr std::size_t kTableSize = 256;
constexpr int kRefinementPasses = 3;

struct ColourCount {
    Rgb colour;
    std::uint64_t count = 0;
};

int Channel(const Rgb& colour, int channel) {
    return channel == 0 ? colour.r : (channel == 1 ? colour.g : colour.b);
}

// Green weighs most and blue least, roughly as the eye sees differences.
std::int64_t Distance(const Rgb& a, const Rgb& b) {
    std::int64_t dr = a.r - b.r;
    std::int64_t dg = a.g - b.g;
    std::int64_t db = a.b - b.b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

std::int64_t Luma(const Rgb& colour) {
    return 299 * colour.r + 587 * colour.g + 114 * colour.b;
}

std::size_t Nearest(const std::vector<Rgb>& table, const Rgb& colour) {
    std::size_t best = 0;
    std::int64_t bestDistance = Distance(table[0], colour);
    for (std::size_t i = 1; i < table.size() && bestDistance > 0; ++i) {
        std::int64_t distance = Distance(table[i], colour);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

struct ColourBox {
    std::size_t begin;
    std::size_t end;

    std::array<int, 3> Ranges(const std::vector<ColourCount>& colours) const {
        std::array<int, 3> low{255, 255, 255};
        std::array<int, 3> high{0, 0, 0};
        for (std::size_t i = begin; i < end; ++i) {
            for (int c = 0; c < 3; ++c) {
                low[static_cast<std::size_t>(c)] =
                    std::min(low[static_cast<std::size_t>(c)], Channel(colours[i].colour, c));
                high[static_cast<std::size_t>(c)] =
                    std::max(high[static_cast<std::size_t>(c)], Channel(colours[i].colour, c));
            }
        }
        return {high[0] - low[0], high[1] - low[1], high[2] - low[2]};
    }
};

Rgb Mean(const std::vector<ColourCount>& colours, std::size_t begin, std::size_t end) {
    std::uint64_t total = 0;
    std::array<std::uint64_t, 3> sums{};
    for (std::size_t i = begin; i < end; ++i) {
        total += colours[i].count;
        for (int c = 0; c < 3; ++c)
            sums[static_cast<std::size_t>(c)] +=
                static_cast<std::uint64_t>(Channel(colours[i].colour, c)) * colours[i].count;
    }
    auto average = [&](std::uint64_t sum) {
        return static_cast<std::uint8_t>((sum + total / 2) / total);
    };
    return {average(sums[0]), average(sums[1]), average(sums[2])};
}

std::vector<Rgb> MedianCut(std::vector<ColourCount>& colours, std::size_t boxesWanted) {
    std::vector<ColourBox> boxes{{0, colours.size()}};
    while (boxes.size() < boxesWanted) {
        // Split the box where a single colour would be furthest from most pixels.
        std::size_t chosen = boxes.size();
        std::uint64_t chosenScore = 0;
        int chosenChannel = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].end - boxes[b].begin < 2)
                continue;
            std::array<int, 3> ranges = boxes[b].Ranges(colours);
            int channel = 0;
            for (int c = 1; c < 3; ++c) {
                if (ranges[static_cast<std::size_t>(c)] > ranges[static_cast<std::size_t>(channel)])
                    channel = c;
            }
            std::uint64_t pixels = 0;
            for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i)
                pixels += colours[i].count;
            auto range = static_cast<std::uint64_t>(ranges[static_cast<std::size_t>(channel)]);
            std::uint64_t score = range * range * pixels;
            if (score > chosenScore) {
                chosen = b;
                chosenScore = score;
                chosenChannel = channel;
            }
        }
        if (chosen == boxes.size())
            break;  // every box holds one colour
        ColourBox box = boxes[chosen];
        auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
        auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::sort(first, last, [chosenChannel](const ColourCount& a, const ColourCount& b) {
            int ka = Channel(a.colour, chosenChannel);
            int kb = Channel(b.colour, chosenChannel);
            return ka != kb ? ka < kb : a.colour < b.colour;
        });
        std::uint64_t total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i)
            total += colours[i].count;
        std::uint64_t running = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            running += colours[i].count;
            split = i + 1;
            if (running * 2 >= total)
                break;
        }
        boxes[chosen] = {box.begin, split};
        boxes.insert(boxes.begin() + static_cast<std::ptrdiff_t>(chosen) + 1, {split, box.end});
    }
    std::vector<Rgb> table;
    for (const ColourBox& box : boxes)
        table.push_back(Mean(colours, box.begin, box.end));
    return table;
}

// Moves every free entry to the mean of the colours nearest to it.
void Refine(const std::vector<ColourCount>& colours, std::vector<Rgb>& table,
            std::size_t fixedEntries) {
    for (int pass = 0; pass < kRefinementPasses; ++pass) {
        std::vector<std::array<std::uint64_t, 4>> sums(table.size(), {0, 0, 0, 0});
        for (const ColourCount& entry : colours) {
            std::array<std::uint64_t, 4>& sum = sums[Nearest(table, entry.colour)];
            sum[0] += entry.colour.r * entry.count;
            sum[1] += entry.colour.g * entry.count;
            sum[2] += entry.colour.b * entry.count;
            sum[3] += entry.count;
        }
        for (std::size_t i = fixedEntries; i < table.size(); ++i) {
            std::uint64_t total = sums[i][3];
            if (total == 0)
                continue;
            table[i] = {static_cast<std::uint8_t>((sums[i][0] + total / 2) / total),
                        static_cast<std::uint8_t>((sums[i][1] + total / 2) / total),
                        static_cast<std::uint8_t>((sums[i][2] + total / 2) / total)};
        }
    }
}

}  // namespace

IndexedImage QuantiseTo256(int width, int height, const std::vector<Rgb>& pixels,
                           const std::vector<Rgb>& exact) {
    if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw std::invalid_argument("the pixels do not match the picture size");
    if (exact.size() >= kTableSize)
        throw std::invalid_argument("too many exact colours");
    std::map<Rgb, std::uint64_t> histogram;
    for (const Rgb& pixel : pixels)
        ++histogram[pixel];
    std::vector<ColourCount> colours;
    for (const auto& [colour, count] : histogram)
        colours.push_back({colour, count});

    std::vector<Rgb> table = exact;
    if (colours.size() + exact.size() <= kTableSize) {
        for (const ColourCount& entry : colours)
            table.push_back(entry.colour);
    } else {
        std::vector<Rgb> cut = MedianCut(colours, kTableSize - exact.size());
        table.insert(table.end(), cut.begin(), cut.end());
        Refine(colours, table, exact.size());
    }
    std::sort(table.begin(), table.end(), [](const Rgb& a, const Rgb& b) {
        std::int64_t la = Luma(a);
        std::int64_t lb = Luma(b);
        return la != lb ? la < lb : a < b;
    });
    table.erase(std::unique(table.begin(), table.end()), table.end());
    while (table.size() < kTableSize)
        table.push_back({0, 0, 0});

    IndexedImage image(width, height, table);
    std::map<Rgb, std::uint8_t> mapping;
    for (const ColourCount& entry : colours)
        mapping[entry.colour] = static_cast<std::uint8_t>(Nearest(table, entry.colour));
    for (std::size_t i = 0; i < pixels.size(); ++i)
        image.pixels[i] = mapping[pixels[i]];
    return image;
}

}  // namespace nuvik::tools
