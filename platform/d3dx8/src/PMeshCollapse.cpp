#include "PMeshCollapse.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace orbel::d3dx8 {
namespace {

// Open borders and borders between attributes weigh this much more than
// the surface, so they move only where that costs almost nothing.
constexpr double kBorderWeight = 10.0;

// Each pass applies at most this share of the candidates, cheapest first,
// so that costs are refreshed often enough to stay close to a strict
// cheapest-first order.
constexpr std::size_t kPassShare = 4;

using Vec = std::array<double, 3>;

Vec Sub(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec Cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Sum of squared distances to weighted planes: p'Ap + 2b'p + c.
struct Quadric {
    double a00 = 0, a01 = 0, a02 = 0, a11 = 0, a12 = 0, a22 = 0;
    double b0 = 0, b1 = 0, b2 = 0, c = 0;

    void AddPlane(const Vec& n, double d, double w) {
        a00 += w * n[0] * n[0];
        a01 += w * n[0] * n[1];
        a02 += w * n[0] * n[2];
        a11 += w * n[1] * n[1];
        a12 += w * n[1] * n[2];
        a22 += w * n[2] * n[2];
        b0 += w * d * n[0];
        b1 += w * d * n[1];
        b2 += w * d * n[2];
        c += w * d * d;
    }
    void Add(const Quadric& q) {
        a00 += q.a00, a01 += q.a01, a02 += q.a02, a11 += q.a11, a12 += q.a12, a22 += q.a22;
        b0 += q.b0, b1 += q.b1, b2 += q.b2, c += q.c;
    }
    double Error(const Vec& p) const {
        const double x = p[0], y = p[1], z = p[2];
        const double e = x * (a00 * x + 2 * a01 * y + 2 * a02 * z) + y * (a11 * y + 2 * a12 * z) + a22 * z * z +
                         2 * (b0 * x + b1 * y + b2 * z) + c;
        return std::max(e, 0.0);
    }
};

// What may move where: interior vertices anywhere along an edge; vertices
// on one open border or one attribute border only along it (onto one of
// their two chain neighbours); corners, vertices on edges of more than two
// faces and vertices where borders meet not at all.
enum class Kind : unsigned char { Interior, Chain, Fixed };

class Collapser {
public:
    explicit Collapser(const MeshData& mesh) : mesh_(mesh) {}

    CollapseSequence Run(DWORD minVertices, DWORD minFaces);

private:
    struct Candidate {
        double cost;
        DWORD from, to;
    };

    // Per vertex, what the collapse loop reads together, in one place.
    struct State {
        double cost = 0;  // of the cheapest collapse, when hasBest
        DWORD to = 0;     // its target
        Kind kind = Kind::Interior;
        bool alive : 1 = true;
        bool hasBest : 1 = false;
        bool dirty : 1 = true;       // the cheapest collapse must be found again
        bool needsCheck : 1 = false;  // ... among allowed ones only
    };
    // A vertex's live faces: a stretch of pool_, moved to the pool's end
    // when it outgrows its room.
    struct FaceList {
        DWORD start = 0, size = 0, room = 0;
    };

    void Load();
    const DWORD* FacesBegin(DWORD v) const { return pool_.data() + lists_[v].start; }
    const DWORD* FacesEnd(DWORD v) const { return FacesBegin(v) + lists_[v].size; }
    void AddFace(DWORD v, DWORD f);
    void RemoveFace(DWORD v, DWORD f);
    Vec PositionOf(DWORD v) const { return {positions_[v][0], positions_[v][1], positions_[v][2]}; }
    void Classify();
    void AddQuadrics();
    void DropUnused(CollapseSequence& sequence);
    // The cheapest target of `u` (only among allowed ones when `checked`),
    // or false.
    bool BestTarget(DWORD u, bool checked, Candidate& best);
    // Whether moving u onto v keeps every edge on at most two faces and
    // turns no face over; `lost` receives the faces on the edge u-v, which
    // the collapse removes.
    bool Allowed(DWORD u, DWORD v, DWORD& lost);
    // Moves u onto v and marks every vertex it touched with the pass.
    void Apply(DWORD u, DWORD v, CollapseSequence& sequence);
    // Whether face corners c, one of them u, keep their facing with u moved
    // onto v: the normal turns by less than about 75 degrees.
    bool KeepsFacing(const WORD* c, DWORD u, DWORD v) const;

    const MeshData& mesh_;
    DWORD vertexCount_ = 0, faceCount_ = 0;
    // The mesh's own float positions: half the memory of doubles, and
    // converting each on use loses nothing.
    std::vector<std::array<float, 3>> positions_;
    std::vector<WORD> corners_;  // current vertex of every face corner (16-bit, as the indices)
    std::vector<bool> faceAlive_;
    std::vector<DWORD> pool_;
    std::vector<FaceList> lists_;
    std::vector<std::array<DWORD, 2>> chain_;  // a chain vertex's neighbours along its border
    std::vector<Quadric> quadrics_;
    std::vector<State> state_;
    DWORD liveVertices_ = 0, liveFaces_ = 0;
    // Scratch marks, valid where equal to the current stamp.
    // Per vertex: marked as a neighbour of u, and counted as a common one.
    std::vector<std::array<DWORD, 2>> marks_;
    DWORD stamp_ = 0;
    std::vector<Candidate> options_;
    // The pass each vertex was last touched by a collapse in.
    std::vector<DWORD> touched_;
    DWORD pass_ = 0;
};

void Collapser::Load() {
    vertexCount_ = mesh_.NumVertices();
    faceCount_ = mesh_.NumFaces();
    positions_.resize(vertexCount_);
    for (DWORD v = 0; v < vertexCount_; ++v) mesh_.Position(v, positions_[v].data());
    corners_.assign(mesh_.indices.begin(), mesh_.indices.end());
    faceAlive_.assign(faceCount_, false);
    lists_.assign(vertexCount_, {});
    for (DWORD f = 0; f < faceCount_; ++f) {
        const WORD* c = &corners_[std::size_t{f} * 3];
        if (c[0] == c[1] || c[1] == c[2] || c[0] == c[2]) continue;  // never part of any level
        faceAlive_[f] = true;
        ++liveFaces_;
        for (int k = 0; k < 3; ++k) ++lists_[c[k]].room;
    }
    // Each list in order of its vertex with a little room to grow, so that
    // neighbours' lists mostly share cache lines.
    constexpr DWORD kSpare = 2;
    DWORD next = 0;
    for (FaceList& list : lists_) {
        list.start = next;
        list.room += kSpare;
        next += list.room;
    }
    pool_.resize(next);
    for (DWORD f = 0; f < faceCount_; ++f)
        if (faceAlive_[f])
            for (int k = 0; k < 3; ++k) {
                FaceList& list = lists_[corners_[std::size_t{f} * 3 + k]];
                pool_[list.start + list.size++] = f;
            }
    state_.assign(vertexCount_, {});
    liveVertices_ = vertexCount_;
    marks_.assign(vertexCount_, {0, 0});
}

void Collapser::AddFace(DWORD v, DWORD f) {
    FaceList& list = lists_[v];
    if (list.size == list.room) {
        const DWORD start = static_cast<DWORD>(pool_.size());
        list.room = std::max<DWORD>(2 * list.room, 8);
        pool_.resize(pool_.size() + list.room);
        std::copy_n(pool_.begin() + list.start, list.size, pool_.begin() + start);
        list.start = start;
    }
    pool_[list.start + list.size++] = f;
}

void Collapser::RemoveFace(DWORD v, DWORD f) {
    // Nothing depends on the order of a list.
    FaceList& list = lists_[v];
    DWORD* faces = pool_.data() + list.start;
    *std::find(faces, faces + list.size, f) = faces[list.size - 1];
    --list.size;
}

// Edges by the faces on them: one face is an open border, two faces in
// opposite directions an interior edge (a border between attributes when
// their attributes differ), anything else fixes both ends.
void Collapser::Classify() {
    // Each edge is looked at from its lower end, among that vertex's faces,
    // with the edges ordered by their higher end.
    struct HalfEdge {
        DWORD high, face;
        bool up;  // runs from the lower end to the higher
    };
    std::vector<HalfEdge> edges;
    std::vector<int> borders(vertexCount_, 0), seams(vertexCount_, 0);
    std::vector<bool> fixed(vertexCount_, false);
    chain_.assign(vertexCount_, {kNoFace, kNoFace});
    auto link = [this](DWORD a, DWORD b) {
        auto& c = chain_[a];
        (c[0] == kNoFace ? c[0] : c[1]) = b;
    };
    for (DWORD a = 0; a < vertexCount_; ++a) {
        edges.clear();
        for (const DWORD* it = FacesBegin(a); it != FacesEnd(a); ++it) {
            const WORD* c = &corners_[std::size_t{*it} * 3];
            const int k = c[0] == a ? 0 : c[1] == a ? 1 : 2;
            const DWORD next = c[(k + 1) % 3], previous = c[(k + 2) % 3];
            if (next > a) edges.push_back({next, *it, true});
            if (previous > a) edges.push_back({previous, *it, false});
        }
        const auto first = edges.begin(), last = edges.end();
        std::sort(first, last, [](const HalfEdge& x, const HalfEdge& y) { return x.high < y.high; });
        for (auto i = first; i != last;) {
            auto j = i;
            while (j != last && j->high == i->high) ++j;
            const DWORD b = i->high;
            const auto count = j - i;
            if (count == 1) {
                ++borders[a], ++borders[b];
                link(a, b), link(b, a);
            } else if (count == 2 && i->up != (i + 1)->up) {
                if (mesh_.attributes[i->face] != mesh_.attributes[(i + 1)->face]) {
                    ++seams[a], ++seams[b];
                    link(a, b), link(b, a);
                }
            } else {
                fixed[a] = fixed[b] = true;
            }
            i = j;
        }
    }
    for (DWORD v = 0; v < vertexCount_; ++v) {
        const int special = borders[v] + seams[v];
        if (fixed[v] || (borders[v] && seams[v]) || (special != 0 && special != 2))
            state_[v].kind = Kind::Fixed;
        else if (special == 2)
            state_[v].kind = Kind::Chain;
    }
}

void Collapser::AddQuadrics() {
    quadrics_.assign(vertexCount_, {});
    for (DWORD f = 0; f < faceCount_; ++f) {
        if (!faceAlive_[f]) continue;
        const WORD* c = &corners_[std::size_t{f} * 3];
        const Vec p0 = PositionOf(c[0]);
        const Vec cross = Cross(Sub(PositionOf(c[1]), p0), Sub(PositionOf(c[2]), p0));
        const double length = std::sqrt(Dot(cross, cross));
        if (!(length > 0.0) || !std::isfinite(length)) continue;
        const Vec n = {cross[0] / length, cross[1] / length, cross[2] / length};
        Quadric q;
        q.AddPlane(n, -Dot(n, p0), 0.5 * length);
        for (int k = 0; k < 3; ++k) quadrics_[c[k]].Add(q);
        // Border edges: a plane through the edge, upright on the face.
        for (int k = 0; k < 3; ++k) {
            const DWORD a = c[k], b = c[(k + 1) % 3];
            if (state_[a].kind == Kind::Interior || state_[b].kind == Kind::Interior) continue;
            if (chain_[a][0] != b && chain_[a][1] != b) continue;
            const Vec pa = PositionOf(a);
            const Vec edge = Sub(PositionOf(b), pa);
            const Vec side = Cross(edge, n);
            const double sideLength = std::sqrt(Dot(side, side));
            if (!(sideLength > 0.0)) continue;
            const Vec m = {side[0] / sideLength, side[1] / sideLength, side[2] / sideLength};
            Quadric border;
            border.AddPlane(m, -Dot(m, pa), kBorderWeight * Dot(edge, edge));
            quadrics_[a].Add(border);
            quadrics_[b].Add(border);
        }
    }
}

bool Collapser::BestTarget(DWORD u, bool checked, Candidate& best) {
    if (!state_[u].alive || state_[u].kind == Kind::Fixed) return false;
    options_.clear();
    const Quadric& quadric = quadrics_[u];
    auto consider = [&](DWORD v) { options_.push_back({quadric.Error(PositionOf(v)), u, v}); };
    if (state_[u].kind == Kind::Chain) {
        for (DWORD v : chain_[u])
            if (v != kNoFace && state_[v].alive) consider(v);
    } else {
        // An interior vertex's faces close into one fan, so the corner after
        // it in each face names every neighbour exactly once.
        for (const DWORD* it = FacesBegin(u); it != FacesEnd(u); ++it) {
            const DWORD f = *it;
            const WORD* c = &corners_[std::size_t{f} * 3];
            consider(c[0] == u ? c[1] : c[1] == u ? c[2] : c[0]);
        }
    }
    const auto cheaper = [](const Candidate& a, const Candidate& b) {
        return a.cost != b.cost ? a.cost < b.cost : a.to < b.to;
    };
    if (!checked) {
        // Most cheapest collapses are allowed; the check waits until one is
        // about to be applied.
        if (options_.empty()) return false;
        best = *std::min_element(options_.begin(), options_.end(), cheaper);
        return std::isfinite(best.cost);
    }
    std::sort(options_.begin(), options_.end(), cheaper);
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (i > 0 && options_[i].to == options_[i - 1].to) continue;
        if (!std::isfinite(options_[i].cost)) break;
        DWORD lost = 0;
        if (Allowed(u, options_[i].to, lost)) {
            best = options_[i];
            return true;
        }
    }
    return false;
}

bool Collapser::KeepsFacing(const WORD* c, DWORD u, DWORD v) const {
    Vec p[3];
    int moved = 0;
    for (int k = 0; k < 3; ++k) {
        p[k] = PositionOf(c[k]);
        if (c[k] == u) moved = k;
    }
    const Vec before = Cross(Sub(p[1], p[0]), Sub(p[2], p[0]));
    p[moved] = PositionOf(v);
    const Vec after = Cross(Sub(p[1], p[0]), Sub(p[2], p[0]));
    const double scale = std::sqrt(Dot(before, before) * Dot(after, after));
    if (scale == 0.0 && Dot(before, before) == 0.0) return true;  // had no facing to lose
    return Dot(before, after) > 0.25 * scale;
}

bool Collapser::Allowed(DWORD u, DWORD v, DWORD& shared) {
    // Link condition: the vertices next to both u and v must be exactly the
    // far corners of the faces on the edge u-v.
    ++stamp_;
    shared = 0;
    const DWORD *uBegin = FacesBegin(u), *uEnd = FacesEnd(u), *vBegin = FacesBegin(v), *vEnd = FacesEnd(v);
    for (const DWORD* it = uBegin; it != uEnd; ++it) {
        const WORD* c = &corners_[std::size_t{*it} * 3];
        const bool onEdge = c[0] == v || c[1] == v || c[2] == v;
        shared += onEdge;
        for (int k = 0; k < 3; ++k)
            if (c[k] != u) marks_[c[k]][0] = stamp_;
    }
    if (shared == 0 || shared > 2) return false;
    DWORD common = 0;
    for (const DWORD* it = vBegin; it != vEnd; ++it)
        for (int k = 0; k < 3; ++k) {
            const DWORD w = corners_[std::size_t{*it} * 3 + k];
            if (w == u || w == v) continue;
            auto& mark = marks_[w];
            if (mark[0] == stamp_ && mark[1] != stamp_) {
                mark[1] = stamp_;
                ++common;
            }
        }
    if (common != shared) return false;
    // A face of u must not land on a face v already has (the last step of
    // folding a closed surface flat, as on a tetrahedron). With the link
    // condition met, that face's other corners are the far corners of the
    // edge's faces, which only a vertex of three faces can have.
    for (const DWORD* it = uBegin; it != uEnd && uEnd - uBegin <= 3; ++it) {
        const WORD* c = &corners_[std::size_t{*it} * 3];
        if (c[0] == v || c[1] == v || c[2] == v) continue;
        const DWORD a = c[0] == u ? c[1] : c[0], b = c[2] == u ? c[1] : c[2];
        for (const DWORD* g = vBegin; g != vEnd; ++g) {
            const WORD* d = &corners_[std::size_t{*g} * 3];
            const bool hasA = d[0] == a || d[1] == a || d[2] == a, hasB = d[0] == b || d[1] == b || d[2] == b;
            if (hasA && hasB) return false;
        }
    }
    // No face that stays may turn over or fold nearly flat onto itself.
    for (const DWORD* it = uBegin; it != uEnd; ++it) {
        const WORD* c = &corners_[std::size_t{*it} * 3];
        if (c[0] == v || c[1] == v || c[2] == v) continue;
        if (!KeepsFacing(c, u, v)) return false;
    }
    return true;
}

void Collapser::Apply(DWORD u, DWORD v, CollapseSequence& sequence) {
    sequence.removedAt[u] = sequence.steps++;
    sequence.target[u] = v;
    state_[u].alive = false;
    --liveVertices_;
    // By index: adding to v's list may move the pool.
    const FaceList faces = lists_[u];
    for (DWORD i = 0; i < faces.size; ++i) {
        const DWORD f = pool_[faces.start + i];
        WORD* c = &corners_[std::size_t{f} * 3];
        if (c[0] == v || c[1] == v || c[2] == v) {
            faceAlive_[f] = false;
            --liveFaces_;
            // Keep every list free of dead faces: the face leaves v and the
            // third corner here and now.
            for (int k = 0; k < 3; ++k)
                if (c[k] != u) RemoveFace(c[k], f);
            continue;
        }
        for (int k = 0; k < 3; ++k)
            if (c[k] == u) c[k] = static_cast<WORD>(v);
        AddFace(v, f);
    }
    // Only v's quadric and the neighbourhoods of u's neighbours changed. A
    // neighbour that did not want to move onto u just gains v as an option;
    // the others look again. A collapse elsewhere that this one made
    // impossible is caught when it is about to be applied.
    const Vec target = PositionOf(v);
    for (DWORD i = 0; i < faces.size; ++i)
        for (int k = 0; k < 3; ++k) {
            const DWORD w = corners_[std::size_t{pool_[faces.start + i]} * 3 + k];
            touched_[w] = pass_;
            State& neighbour = state_[w];
            if (w == v || neighbour.dirty) continue;
            if (!neighbour.hasBest || neighbour.to == u || neighbour.kind != Kind::Interior) {
                neighbour.dirty = true;
                continue;
            }
            const double cost = quadrics_[w].Error(target);
            if (cost < neighbour.cost) neighbour.cost = cost, neighbour.to = v;
        }
    lists_[u].size = 0;
    state_[v].dirty = true;
    quadrics_[v].Add(quadrics_[u]);
    if (state_[u].kind == Kind::Chain) {
        // The border now runs w - v where it ran w - u - v.
        const DWORD w = chain_[u][0] == v ? chain_[u][1] : chain_[u][0];
        auto relink = [u](std::array<DWORD, 2>& c, DWORD to) {
            for (DWORD& n : c)
                if (n == u) n = to;
        };
        if (w != kNoFace) relink(chain_[w], v);
        relink(chain_[v], w);
    }
}

void Collapser::DropUnused(CollapseSequence& sequence) {
    // Vertices no face uses go first: removing them changes no face.
    for (DWORD v = 0; v < vertexCount_; ++v)
        if (lists_[v].size == 0) {
            sequence.removedAt[v] = sequence.steps++;
            state_[v].alive = false;
            --liveVertices_;
        }
}

CollapseSequence Collapser::Run(DWORD minVertices, DWORD minFaces) {
    Load();
    Classify();
    AddQuadrics();
    CollapseSequence sequence;
    sequence.removedAt.assign(vertexCount_, kNeverRemoved);
    sequence.target.assign(vertexCount_, kNoFace);
    // Collapsing never goes below one vertex and one face.
    minVertices = std::max<DWORD>(minVertices, 1);
    minFaces = std::max<DWORD>(minFaces, 1);
    if (liveVertices_ > minVertices) DropUnused(sequence);

    std::vector<Candidate> candidates;
    touched_.assign(vertexCount_, 0);
    const auto cheaper = [](const Candidate& a, const Candidate& b) {
        return a.cost != b.cost ? a.cost < b.cost : a.from < b.from;
    };
    std::vector<DWORD> live, chosen(vertexCount_, kNoFace);
    for (DWORD u = 0; u < vertexCount_; ++u)
        if (state_[u].alive && state_[u].kind != Kind::Fixed) live.push_back(u);
    while (liveVertices_ > minVertices) {
        candidates.clear();
        live.erase(std::remove_if(live.begin(), live.end(), [this](DWORD u) { return !state_[u].alive; }),
                   live.end());
        for (DWORD u : live) {
            State& vertex = state_[u];
            if (vertex.dirty) {
                Candidate best;
                vertex.hasBest = BestTarget(u, vertex.needsCheck, best);
                if (vertex.hasBest) vertex.cost = best.cost, vertex.to = best.to;
                vertex.dirty = vertex.needsCheck = false;
            }
            if (vertex.hasBest) candidates.push_back({vertex.cost, u, vertex.to});
        }
        if (candidates.empty()) break;
        const std::size_t wanted = std::max<std::size_t>(1, candidates.size() / kPassShare);
        if (wanted < candidates.size())
            std::nth_element(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(wanted),
                             candidates.end(), cheaper);
        candidates.resize(wanted);
        // The pass's collapses are all among the cheapest; applying them in
        // vertex order rather than cost order walks the mesh's memory in
        // order, which is most of the speed. `live` is in vertex order.
        for (const Candidate& c : candidates) chosen[c.from] = c.to;

        // Within a pass each neighbourhood changes once, so a collapse is
        // applied only where its cost is still the one computed.
        ++pass_;
        bool progress = false, stale = false;
        for (DWORD u : live) {
            const DWORD v = chosen[u];
            if (v == kNoFace) continue;
            chosen[u] = kNoFace;
            if (liveVertices_ <= minVertices) continue;  // only clearing the choices
            if (touched_[u] == pass_ || touched_[v] == pass_ || !state_[v].alive) continue;
            DWORD lost = 0;
            if (!Allowed(u, v, lost)) {
                state_[u].dirty = state_[u].needsCheck = stale = true;
                continue;
            }
            if (liveFaces_ - lost < minFaces) continue;
            Apply(u, v, sequence);
            progress = true;
        }
        // A fresh cheapest collapse is always applicable unless the face
        // limit stops it: without progress or stale costs to refresh, done.
        if (!progress && !stale) break;
    }
    return sequence;
}

}  // namespace

CollapseSequence BuildCollapses(const MeshData& mesh, DWORD minVertices, DWORD minFaces) {
    return Collapser(mesh).Run(minVertices, minFaces);
}

}  // namespace orbel::d3dx8
