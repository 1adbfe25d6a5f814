#include "tools/bake/static_tables.h"

#include <map>
#include <stdexcept>

namespace bake {

namespace {

// Assigns each distinct value the index of its first appearance.
template <typename Value>
class IndexedTable {
  public:
    std::int16_t Add(const Value& value) {
        const auto [it, added] = m_index.emplace(value, m_values.size());
        if (added) {
            m_values.push_back(value);
        }
        if (it->second >= MAX_TABLE_SIZE) {
            throw std::runtime_error("static model table exceeds 32767 entries");
        }
        return static_cast<std::int16_t>(it->second);
    }
    std::vector<Value> Take() { return std::move(m_values); }

  private:
    std::map<Value, std::size_t> m_index;
    std::vector<Value> m_values;
};

}  // namespace

StaticTables BuildStaticTables(const std::vector<SoupTriangle>& triangles, int runCount) {
    StaticTables tables;
    tables.runFaceCounts.assign(static_cast<std::size_t>(runCount), 0);
    IndexedTable<Vec3> positions;
    IndexedTable<Vec3> normals;
    IndexedTable<Vec2> texCoords;
    for (int run = 0; run < runCount; ++run) {
        for (const SoupTriangle& t : triangles) {
            if (t.run != run) {
                continue;
            }
            StaticTables::Face face{};
            for (int c = 0; c < 3; ++c) {
                face.vertex[c] = positions.Add(t.position[c]);
                face.normal[c] = normals.Add(t.normal[c]);
                face.texCoord[c] = texCoords.Add(t.texCoord[c]);
            }
            tables.faces.push_back(face);
            ++tables.runFaceCounts[static_cast<std::size_t>(run)];
        }
    }
    for (const SoupTriangle& t : triangles) {
        if (t.run < 0 || t.run >= runCount) {
            throw std::runtime_error("a triangle belongs to no face run");
        }
    }
    tables.positions = positions.Take();
    tables.normals = normals.Take();
    tables.texCoords = texCoords.Take();
    return tables;
}

}  // namespace bake
