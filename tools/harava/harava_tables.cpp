// Builds and checks the six reduced-system tables carried in data/RK_HAR.
//
// A table is a set of rows over mixed columns: first two-valued columns
// (V/O), then three-valued columns (1/X/2). It must cover every combination
// of column values within its radius. The small shapes come from algebra
// (linear ternary codes, cosets of the extended Hamming code); the others
// from local search. Nothing here runs in the build: the results are
// committed as data, and `verify` re-checks them.
//
// Usage:
//   harava_tables make <id> <data-dir> [seed]     id in 60 81 432 729 1296
//   harava_tables search222 <out-file> [options]  covering-code search, 9 x 1X2
//   harava_tables place222 <code-file> <data-dir> turn a found code into table 222
//   harava_tables verify <data-dir>               check all six files
//
// The carried files came from (seed 1 for `make`):
//   harava_tables make 60 data/RK_HAR   (likewise 81, 432, 729, 1296)
//   harava_tables search222 a.txt --group neg+t111000000 --seed 5
//       --tenure 2 --penalties 1 --iterations 20000       (18 words left open)
//   harava_tables search222 b.txt --group none --init a.txt --seed 5
//       --tenure 3 --penalties 1 --iterations 5000        (complete, 222 rows)
//   harava_tables place222 b.txt data/RK_HAR
// Table 222 is the hard one (the best known code of that shape has 219
// rows). The first run searches only codes closed under swapping 1 and 2 in
// every column and under stepping the first three columns together; this
// small space gets near a cover quickly. The second drops the symmetry and
// closes the last holes; other seeds of it mostly stop one or two words short.

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Word = std::vector<int>;

struct Shape {
    int id;
    int bin;        // V/O columns
    int ter;        // 1/X/2 columns
    int rows;
    int radius;
    int zeros;      // trailing zero bytes after the rows
    std::vector<std::string> first;
    std::string last;
    int width() const { return bin + ter; }
};

const std::vector<Shape>& shapes()
{
    static const std::vector<Shape> all = {
        {60, 7, 3, 60, 2, 0, {"VVVVVVO1X2", "VVVVVVOX21", "VVVVVVO21X"}, "VOOVVOV111"},
        {81, 0, 8, 81, 2, 0, {"11111111", "111XX2XX", "11122X22"}, "22222111"},
        {222, 0, 9, 222, 2, 2, {"1X2112XX2", "1X2121X2X", "1X22112XX"}, "2X2222222"},
        {432, 8, 3, 432, 2, 0, {"VVVVVVVV111", "VVVVOOOO111", "VVOOVVOO111"}, "OOOVOVVV2XX"},
        {729, 0, 10, 729, 2, 2, {"1111111111", "11111XXXXX", "1111122222"}, "2222222XX2"},
        {1296, 8, 4, 1296, 1, 0, {"VVVVVVVV1111", "VVVVOOOO1111", "VVOOVVOO1111"}, "OOOVOVVV2212"},
    };
    return all;
}

const Shape& shapeOf(int id)
{
    for (const Shape& s : shapes())
        if (s.id == id)
            return s;
    std::cerr << "unknown table id " << id << "\n";
    std::exit(2);
}

// Mixed-radix space of one shape; index order equals the lexicographic order
// of rows with V < O and 1 < X < 2.
struct Space {
    std::vector<int> radix;
    long size = 1;

    explicit Space(const Shape& s)
    {
        radix.assign(s.bin, 2);
        radix.insert(radix.end(), s.ter, 3);
        for (int r : radix)
            size *= r;
    }
    int n() const { return int(radix.size()); }
    long encode(const Word& w) const
    {
        long v = 0;
        for (int i = 0; i < n(); ++i)
            v = v * radix[i] + w[i];
        return v;
    }
    Word decode(long v) const
    {
        Word w(n());
        for (int i = n() - 1; i >= 0; --i) {
            w[i] = int(v % radix[i]);
            v /= radix[i];
        }
        return w;
    }
    std::string text(const Word& w) const
    {
        std::string s;
        for (int i = 0; i < n(); ++i)
            s += radix[i] == 2 ? "VO"[w[i]] : "1X2"[w[i]];
        return s;
    }
    bool parse(const std::string& s, Word& w) const
    {
        if (int(s.size()) != n())
            return false;
        w.assign(n(), 0);
        for (int i = 0; i < n(); ++i) {
            const char* alphabet = radix[i] == 2 ? "VO" : "1X2";
            const char* p = std::char_traits<char>::find(alphabet, radix[i], s[i]);
            if (!p)
                return false;
            w[i] = int(p - alphabet);
        }
        return true;
    }
};

// Calls f(index) for every word within distance r of w (w itself included,
// each word once).
void forEachWithin(const Space& sp, Word w, int r, const std::function<void(long)>& f)
{
    std::function<void(int, int)> rec = [&](int from, int left) {
        f(sp.encode(w));
        if (left == 0)
            return;
        for (int i = from; i < sp.n(); ++i) {
            const int keep = w[i];
            for (int v = 0; v < sp.radix[i]; ++v) {
                if (v == keep)
                    continue;
                w[i] = v;
                rec(i + 1, left - 1);
            }
            w[i] = keep;
        }
    };
    rec(0, r);
}

long uncoveredCount(const Space& sp, const std::vector<Word>& rows, int r)
{
    std::vector<char> hit(sp.size, 0);
    for (const Word& w : rows)
        forEachWithin(sp, w, r, [&](long i) { hit[i] = 1; });
    return long(std::count(hit.begin(), hit.end(), 0));
}

std::vector<Word> parseAll(const Space& sp, const std::vector<std::string>& texts)
{
    std::vector<Word> out;
    for (const std::string& t : texts) {
        Word w;
        if (!sp.parse(t, w)) {
            std::cerr << "bad row " << t << "\n";
            std::exit(2);
        }
        out.push_back(w);
    }
    return out;
}

// Puts the example first rows in front and the example last row at the end,
// keeping the other rows in their given order.
std::vector<Word> orderRows(const Space& sp, const Shape& s, const std::vector<Word>& rows)
{
    const std::vector<Word> first = parseAll(sp, s.first);
    const Word last = parseAll(sp, {s.last})[0];
    std::vector<Word> out = first;
    for (const Word& w : rows)
        if (std::find(first.begin(), first.end(), w) == first.end() && w != last)
            out.push_back(w);
    out.push_back(last);
    return out;
}

std::string checkTable(const Shape& s, const std::string& bytes)
{
    const Space sp(s);
    const size_t body = size_t(s.rows) * s.width();
    if (bytes.size() != body + s.zeros)
        return "size " + std::to_string(bytes.size()) + ", expected " + std::to_string(body + s.zeros);
    for (size_t i = body; i < bytes.size(); ++i)
        if (bytes[i] != '\0')
            return "trailing bytes are not zero";
    std::vector<Word> rows;
    std::set<std::string> seen;
    for (int r = 0; r < s.rows; ++r) {
        const std::string t = bytes.substr(size_t(r) * s.width(), s.width());
        Word w;
        if (!sp.parse(t, w))
            return "row " + std::to_string(r) + " has a bad column: " + t;
        if (!seen.insert(t).second)
            return "row " + std::to_string(r) + " repeats " + t;
        rows.push_back(w);
    }
    for (size_t i = 0; i < s.first.size(); ++i)
        if (sp.text(rows[i]) != s.first[i])
            return "row " + std::to_string(i) + " is " + sp.text(rows[i]);
    if (sp.text(rows.back()) != s.last)
        return "last row is " + sp.text(rows.back());
    const long missing = uncoveredCount(sp, rows, s.radius);
    if (missing)
        return std::to_string(missing) + " combinations not covered";
    return {};
}

bool writeTable(const Shape& s, const std::vector<Word>& rows, const std::string& dir)
{
    const Space sp(s);
    std::string bytes;
    for (const Word& w : rows)
        bytes += sp.text(w);
    bytes.append(s.zeros, '\0');
    const std::string problem = checkTable(s, bytes);
    if (!problem.empty()) {
        std::cerr << "table " << s.id << " not written: " << problem << "\n";
        return false;
    }
    const std::string path = dir + "/" + std::to_string(s.id);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    std::cout << "wrote " << path << " (" << bytes.size() << " bytes)\n";
    return bool(out);
}

// --- Linear ternary codes (81 and 729) --------------------------------------

// The example rows are codewords, so they are taken as generators; random
// further generators are tried until the span has covering radius 2.
std::vector<Word> linearTable(const Shape& s, int dim, std::mt19937_64& rng)
{
    const Space sp(s);
    const int n = s.ter;
    std::vector<Word> base = parseAll(sp, {s.first[1], s.last});
    for (long attempt = 1;; ++attempt) {
        std::vector<Word> gens = base;
        while (int(gens.size()) < dim) {
            Word g(n);
            for (int& d : g)
                d = int(rng() % 3);
            gens.push_back(g);
        }
        std::set<long> code;
        for (long c = 0; c < long(std::pow(3, dim)); ++c) {
            Word w(n, 0);
            long x = c;
            for (const Word& g : gens) {
                const int k = int(x % 3);
                x /= 3;
                for (int i = 0; i < n; ++i)
                    w[i] = (w[i] + k * g[i]) % 3;
            }
            code.insert(sp.encode(w));
        }
        if (long(code.size()) != s.rows)
            continue;  // generators were dependent
        std::vector<Word> rows;
        for (long c : code)
            rows.push_back(sp.decode(c));
        bool hasExamples = true;
        for (const Word& e : parseAll(sp, s.first))
            hasExamples = hasExamples && code.count(sp.encode(e));
        if (hasExamples && uncoveredCount(sp, rows, s.radius) == 0) {
            std::cout << "table " << s.id << ": linear code after " << attempt << " tries\n";
            return orderRows(sp, s, rows);
        }
    }
}

// --- Extended Hamming cosets (432 and 1296) ---------------------------------

// Extended Hamming code of length 8 as 8-bit masks, bit 7 = first column.
std::vector<int> hammingCode()
{
    const int gens[4] = {0b11110000, 0b11001100, 0b10101010, 0b11111111};
    std::vector<int> code;
    for (int c = 0; c < 16; ++c) {
        int w = 0;
        for (int g = 0; g < 4; ++g)
            if (c >> g & 1)
                w ^= gens[g];
        code.push_back(w);
    }
    std::sort(code.begin(), code.end());
    return code;
}

Word bitsWord(int mask)
{
    Word w(8);
    for (int i = 0; i < 8; ++i)
        w[i] = mask >> (7 - i) & 1;
    return w;
}

int bitsOf(const Word& w)
{
    int m = 0;
    for (int i = 0; i < 8; ++i)
        m = m << 1 | w[i];
    return m;
}

// Rows of a table built from 16 two-sign parts per three-sign combination:
// combination t gets the coset leader[t] + code, listed in increasing order.
std::vector<Word> cosetRows(const Shape& s, const std::vector<int>& leader)
{
    const std::vector<int> code = hammingCode();
    const Space ter{Shape{0, 0, s.ter, 0, 0, 0, {}, {}}};
    std::vector<Word> rows;
    for (long t = 0; t < ter.size; ++t) {
        std::vector<int> part;
        for (int c : code)
            part.push_back(c ^ leader[t]);
        std::sort(part.begin(), part.end());
        for (int b : part) {
            Word w = bitsWord(b);
            const Word tw = ter.decode(t);
            w.insert(w.end(), tw.begin(), tw.end());
            rows.push_back(w);
        }
    }
    return rows;
}

std::vector<Word> table432(const Shape& s)
{
    // Every coset of the extended Hamming code has covering radius 2 on its
    // own, so any coset per three-sign combination works; the example last
    // row decides the one for its combination.
    const Space sp(s);
    const Word last = parseAll(sp, {s.last})[0];
    const Space ter{Shape{0, 0, s.ter, 0, 0, 0, {}, {}}};
    std::vector<int> leader(ter.size, 0);
    leader[ter.encode(Word(last.begin() + 8, last.end()))] = bitsOf(last);
    return orderRows(sp, s, cosetRows(s, leader));
}

std::vector<Word> table1296(const Shape& s, std::mt19937_64& rng)
{
    // A combination of two-sign parts lying in the code or in a coset led by
    // two O's is reached in one column only from a row of the same coset. So
    // every three-sign combination and its 8 neighbours together must use all
    // 8 of those cosets; colour the 81 combinations accordingly.
    const Space sp(s);
    const Word last = parseAll(sp, {s.last})[0];
    const Space ter{Shape{0, 0, 4, 0, 0, 0, {}, {}}};
    const std::vector<int> code = hammingCode();
    std::vector<int> cosetMin(256);
    for (int x = 0; x < 256; ++x) {
        int m = 256;
        for (int c : code)
            m = std::min(m, x ^ c);
        cosetMin[x] = m;
    }
    std::vector<int> colours;  // coset representatives: code and pair cosets
    for (int x = 0; x < 256; ++x)
        if (cosetMin[x] == x && __builtin_popcount(x) % 2 == 0)
            colours.push_back(x);
    const int k = int(colours.size());  // 8
    const int n = int(ter.size);
    std::vector<std::vector<int>> nb(n);
    for (int t = 0; t < n; ++t)
        forEachWithin(ter, ter.decode(t), 1, [&](long u) { nb[t].push_back(int(u)); });
    const int lastT = int(ter.encode(Word(last.begin() + 8, last.end())));
    const int lastColour = int(std::find(colours.begin(), colours.end(), cosetMin[bitsOf(last)]) - colours.begin());
    std::vector<int> col(n);
    auto missing = [&](int t) {
        unsigned seen = 0;
        for (int u : nb[t])
            seen |= 1u << col[u];
        return k - __builtin_popcount(seen);
    };
    auto total = [&] {
        int m = 0;
        for (int t = 0; t < n; ++t)
            m += missing(t);
        return m;
    };
    for (long attempt = 1;; ++attempt) {
        for (int& c : col)
            c = int(rng() % k);
        col[0] = 0;
        col[lastT] = lastColour;
        int cost = total();
        for (int step = 0; step < 200000 && cost > 0; ++step) {
            const int t = int(rng() % n);
            if (t == 0 || t == lastT)
                continue;
            const int old = col[t];
            int before = 0;
            for (int u : nb[t])
                before += missing(u);
            col[t] = int(rng() % k);
            int after = 0;
            for (int u : nb[t])
                after += missing(u);
            if (after <= before || rng() % 1000 == 0)
                cost += after - before;
            else
                col[t] = old;
        }
        if (cost == 0) {
            std::vector<int> leader(n);
            for (int t = 0; t < n; ++t)
                leader[t] = colours[col[t]];
            std::vector<Word> rows = cosetRows(s, leader);
            std::cout << "table 1296: colouring after " << attempt << " tries\n";
            return orderRows(sp, s, rows);
        }
    }
}

// --- Annealing with the example rows held (60) ------------------------------

std::vector<Word> annealTable(const Shape& s, std::mt19937_64& rng)
{
    const Space sp(s);
    const std::vector<Word> fixed = orderRows(sp, s, {});
    std::vector<std::vector<long>> ballCache(sp.size);
    auto ball = [&](long x) -> const std::vector<long>& {
        if (ballCache[x].empty())
            forEachWithin(sp, sp.decode(x), s.radius, [&](long i) { ballCache[x].push_back(i); });
        return ballCache[x];
    };
    std::uniform_real_distribution<double> uni(0, 1);
    for (long attempt = 1;; ++attempt) {
        std::vector<long> rows;
        for (const Word& w : fixed)
            rows.push_back(sp.encode(w));
        while (int(rows.size()) < s.rows)
            rows.push_back(long(rng() % sp.size));
        std::vector<int> cov(sp.size, 0);
        for (long r : rows)
            for (long i : ball(r))
                ++cov[i];
        long unc = long(std::count(cov.begin(), cov.end(), 0));
        double temp = 2.0;
        const int nf = int(fixed.size());
        for (long step = 0; unc > 0 && temp > 0.02; ++step) {
            const int r = nf + int(rng() % (s.rows - nf));
            Word w = sp.decode(rows[r]);
            const int c = int(rng() % sp.n());
            w[c] = (w[c] + 1 + int(rng() % (sp.radix[c] - 1))) % sp.radix[c];
            const long next = sp.encode(w);
            long delta = 0;
            for (long i : ball(rows[r]))
                if (--cov[i] == 0)
                    ++delta;
            for (long i : ball(next))
                if (cov[i]++ == 0)
                    --delta;
            if (delta <= 0 || uni(rng) < std::exp(-double(delta) / temp)) {
                rows[r] = next;
                unc += delta;
            } else {
                for (long i : ball(next))
                    --cov[i];
                for (long i : ball(rows[r]))
                    ++cov[i];
            }
            if (step % 1000 == 999)
                temp *= 0.9998;
        }
        if (unc > 0)
            continue;
        // A repeated row can be swapped for any unused combination: coverage
        // only grows.
        std::set<long> used;
        for (long& r : rows)
            while (!used.insert(r).second)
                r = long(rng() % sp.size);
        std::vector<Word> out;
        for (long r : rows)
            out.push_back(sp.decode(r));
        std::cout << "table " << s.id << ": annealing after " << attempt << " tries\n";
        return orderRows(sp, s, out);
    }
}

// --- 222: covering search over orbits of a symmetry group -------------------

constexpr int N9 = 9;
constexpr int SIZE9 = 19683;

struct Iso {
    std::array<int, N9> perm{};  // new column j takes old column perm[j]
    std::array<int, N9> mul{};
    std::array<int, N9> add{};
};

Iso identityIso()
{
    Iso g;
    for (int j = 0; j < N9; ++j) {
        g.perm[j] = j;
        g.mul[j] = 1;
        g.add[j] = 0;
    }
    return g;
}

std::array<int, N9> digits9(int x)
{
    std::array<int, N9> d{};
    for (int i = N9 - 1; i >= 0; --i) {
        d[i] = x % 3;
        x /= 3;
    }
    return d;
}

int index9(const std::array<int, N9>& d)
{
    int v = 0;
    for (int i = 0; i < N9; ++i)
        v = v * 3 + d[i];
    return v;
}

int applyIso(const Iso& g, int x)
{
    const auto d = digits9(x);
    std::array<int, N9> e{};
    for (int j = 0; j < N9; ++j)
        e[j] = (g.mul[j] * d[g.perm[j]] + g.add[j]) % 3;
    return index9(e);
}

// Group generators by name, joined with '+': tV adds the word V (digits),
// "neg" swaps 1 and 2 everywhere, "blk" rotates three blocks of three
// columns, "cyc" rotates all nine columns, pDDDDDDDDD takes column j from
// column D_j, "none" is the trivial group.
std::vector<Iso> parseGroup(const std::string& names)
{
    std::vector<Iso> gens;
    std::stringstream ss(names);
    std::string part;
    while (std::getline(ss, part, '+')) {
        Iso g = identityIso();
        if (part == "none")
            continue;
        if (part == "neg") {
            g.mul.fill(2);
        } else if (part == "blk") {
            for (int j = 0; j < N9; ++j)
                g.perm[j] = (j + 3) % N9;
        } else if (part == "cyc") {
            for (int j = 0; j < N9; ++j)
                g.perm[j] = (j + 1) % N9;
        } else if (part.size() == N9 + 1 && part[0] == 'p') {
            for (int j = 0; j < N9; ++j)
                g.perm[j] = part[j + 1] - '0';
        } else if (part.size() == N9 + 1 && part[0] == 't') {
            for (int j = 0; j < N9; ++j)
                g.add[j] = part[j + 1] - '0';
        } else {
            std::cerr << "unknown group part " << part << "\n";
            std::exit(2);
        }
        gens.push_back(g);
    }
    return gens;
}

struct OrbitSearch {
    std::vector<int> orbitOf;                 // word -> orbit
    std::vector<std::vector<int>> members;    // orbit -> words
    std::vector<std::vector<int>> covers;     // orbit -> orbits within distance 2
    std::vector<int> weight;                  // orbit size
    int full = 1;

    explicit OrbitSearch(const std::vector<Iso>& gens)
    {
        orbitOf.assign(SIZE9, -1);
        for (int x = 0; x < SIZE9; ++x) {
            if (orbitOf[x] >= 0)
                continue;
            const int id = int(members.size());
            members.push_back({x});
            orbitOf[x] = id;
            for (size_t k = 0; k < members[id].size(); ++k)
                for (const Iso& g : gens) {
                    const int y = applyIso(g, members[id][k]);
                    if (orbitOf[y] < 0) {
                        orbitOf[y] = id;
                        members[id].push_back(y);
                    }
                }
        }
        const Shape s{0, 0, N9, 0, 0, 0, {}, {}};
        const Space sp(s);
        covers.resize(members.size());
        for (size_t o = 0; o < members.size(); ++o) {
            weight.push_back(int(members[o].size()));
            full = std::max(full, weight.back());
            std::vector<int>& list = covers[o];
            forEachWithin(sp, sp.decode(members[o][0]), 2, [&](long i) { list.push_back(orbitOf[i]); });
            std::sort(list.begin(), list.end());
            list.erase(std::unique(list.begin(), list.end()), list.end());
        }
    }
};

struct SearchState {
    const OrbitSearch& os;
    std::vector<int> cov, owner;
    std::vector<long> loss;
    // Penalty per orbit: grows while the orbit stays uncovered, so the
    // search stops circling the same few holes. Only ever changed for
    // uncovered orbits, which keeps `loss` consistent.
    std::vector<long> pen;
    std::vector<int> unc, uncPos;
    std::vector<char> in;
    std::vector<int> chosen;
    long uncovered = 0;  // in words

    explicit SearchState(const OrbitSearch& o)
        : os(o), cov(o.members.size(), 0), owner(o.members.size(), 0), loss(o.members.size(), 0),
          pen(o.members.size(), 1),
          uncPos(o.members.size(), -1), in(o.members.size(), 0)
    {
        for (size_t c = 0; c < o.members.size(); ++c) {
            uncPos[c] = int(unc.size());
            unc.push_back(int(c));
            uncovered += o.weight[c];
        }
    }
    void dropUnc(int c)
    {
        const int p = uncPos[c];
        unc[p] = unc.back();
        uncPos[unc[p]] = p;
        unc.pop_back();
        uncPos[c] = -1;
        uncovered -= os.weight[c];
    }
    void addUnc(int c)
    {
        uncPos[c] = int(unc.size());
        unc.push_back(c);
        uncovered += os.weight[c];
    }
    void add(int o)
    {
        in[o] = 1;
        chosen.push_back(o);
        for (int c : os.covers[o]) {
            const long w = long(os.weight[c]) * pen[c];
            if (cov[c] == 0) {
                dropUnc(c);
                loss[o] += w;
            } else if (cov[c] == 1) {
                loss[owner[c]] -= w;
            }
            ++cov[c];
            owner[c] ^= o;
        }
    }
    void remove(int o)
    {
        in[o] = 0;
        chosen.erase(std::find(chosen.begin(), chosen.end(), o));
        for (int c : os.covers[o]) {
            const long w = long(os.weight[c]) * pen[c];
            --cov[c];
            owner[c] ^= o;
            if (cov[c] == 0) {
                addUnc(c);
                loss[o] -= w;
            } else if (cov[c] == 1) {
                loss[owner[c]] += w;
            }
        }
    }
    void bump()
    {
        for (int c : unc)
            ++pen[c];
    }
    long size() const
    {
        long n = 0;
        for (int o : chosen)
            n += os.weight[o];
        return n;
    }
};

void saveCode(const std::string& path, const SearchState& st, const std::string& note)
{
    std::vector<int> words;
    for (int o : st.chosen)
        for (int x : st.os.members[o])
            words.push_back(x);
    std::sort(words.begin(), words.end());
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp);
        out << "# uncovered " << st.uncovered << " rows " << words.size() << " " << note << "\n";
        for (int x : words) {
            for (int d : digits9(x))
                out << "1X2"[d];
            out << "\n";
        }
    }
    std::rename(tmp.c_str(), path.c_str());
}

std::vector<int> readCode(const std::string& path)
{
    std::ifstream in(path);
    std::vector<int> words;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::array<int, N9> d{};
        if (line.size() < N9)
            continue;
        for (int i = 0; i < N9; ++i)
            d[i] = line[i] == '1' ? 0 : line[i] == 'X' ? 1 : 2;
        words.push_back(index9(d));
    }
    return words;
}

// Tabu search in the manner of covering-code searches: pick an uncovered
// orbit, bring in the orbit that (together with the best removal) leaves the
// fewest words uncovered, and forbid recently removed orbits for a while.
int search222(int argc, char** argv)
{
    std::string out = argv[2];
    std::string group = "t111111111";
    std::string init;
    long target = 222;
    unsigned long seed = 1;
    double seconds = 600;
    int tenure = 5;
    long stall = 200000;
    int kick = 3;
    bool small = false;  // hold every orbit smaller than the full size
    bool penalties = false;
    long iterations = -1;  // with a move budget instead of a time limit a run repeats exactly
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string k = argv[i], v = argv[i + 1];
        if (k == "--group") group = v;
        else if (k == "--init") init = v;
        else if (k == "--size") target = std::stol(v);
        else if (k == "--seed") seed = std::stoul(v);
        else if (k == "--seconds") seconds = std::stod(v);
        else if (k == "--tenure") tenure = std::stoi(v);
        else if (k == "--stall") stall = std::stol(v);
        else if (k == "--kick") kick = std::stoi(v);
        else if (k == "--small") small = v == "1";
        else if (k == "--penalties") penalties = v == "1";
        else if (k == "--iterations") iterations = std::stol(v);
        else {
            std::cerr << "unknown option " << k << "\n";
            return 2;
        }
    }
    std::mt19937_64 rng(seed);
    const OrbitSearch os(parseGroup(group));
    const int no = int(os.members.size());
    std::cout << "group " << group << ": " << no << " orbits, full size " << os.full << "\n";
    SearchState st(os);
    if (small)
        for (int o = 0; o < no; ++o)
            if (os.weight[o] < os.full)
                st.add(o);
    if (!init.empty()) {
        for (int x : readCode(init)) {
            const int o = os.orbitOf[x];
            if (!st.in[o] && os.weight[o] == os.full)
                st.add(o);
        }
    }
    while (st.size() + os.full <= target) {
        const int o = int(rng() % no);
        if (!st.in[o] && os.weight[o] == os.full)
            st.add(o);
    }
    std::cout << "start: " << st.size() << " rows, " << st.uncovered << " uncovered\n";
    long best = st.uncovered;
    std::vector<int> bestSet = st.chosen;
    saveCode(out, st, "group " + group + " seed " + std::to_string(seed));
    std::vector<long> tabuUntil(no, 0);
    std::vector<long> save(no, 0);
    std::vector<int> touched;
    const auto start = std::chrono::steady_clock::now();
    long sinceBest = 0;
    long runBest = st.uncovered;
    long restarts = 0;
    for (long it = 1; st.uncovered > 0 && it != iterations; ++it) {
        if (iterations < 0 && it % 4096 == 0) {
            const double el = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (el > seconds)
                break;
        }
        const int c = st.unc[rng() % st.unc.size()];
        long bestDelta = 1L << 40;
        int bestAdd = -1, bestDel = -1, ties = 0;
        for (int y : os.covers[c]) {
            if (st.in[y] || os.weight[y] != os.full)
                continue;
            long gain = 0;
            touched.clear();
            for (int d : os.covers[y]) {
                if (st.cov[d] == 0) {
                    gain += long(os.weight[d]) * st.pen[d];
                } else if (st.cov[d] == 1) {
                    const int ow = st.owner[d];
                    if (save[ow] == 0)
                        touched.push_back(ow);
                    save[ow] += long(os.weight[d]) * st.pen[d];
                }
            }
            const bool isTabu = tabuUntil[y] > it;
            for (int s : st.chosen) {
                if (os.weight[s] != os.full)
                    continue;
                const long delta = st.loss[s] - save[s] - gain;
                if (isTabu && (penalties || st.uncovered + delta >= best))
                    continue;
                if (delta < bestDelta) {
                    bestDelta = delta;
                    bestAdd = y;
                    bestDel = s;
                    ties = 1;
                } else if (delta == bestDelta && rng() % ++ties == 0) {
                    bestAdd = y;
                    bestDel = s;
                }
            }
            for (int ow : touched)
                save[ow] = 0;
        }
        if (bestAdd < 0)
            continue;
        if (penalties && bestDelta > 0) {
            st.bump();
            continue;
        }
        st.add(bestAdd);
        st.remove(bestDel);
        tabuUntil[bestDel] = it + tenure;
        ++sinceBest;
        if (st.uncovered < best) {
            best = st.uncovered;
            bestSet = st.chosen;
            const double el = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::cout << "it " << it << " t " << int(el) << "s uncovered " << best << std::endl;
            saveCode(out, st, "group " + group + " seed " + std::to_string(seed));
        }
        if (st.uncovered < runBest) {
            runBest = st.uncovered;
            sinceBest = 0;
        }
        if (sinceBest > stall && kick < 0) {
            // A fresh random start: the search finds its best level within
            // a few thousand moves and then wanders, so many short runs beat
            // one long one.
            for (int o : std::vector<int>(st.chosen))
                if (os.weight[o] == os.full)
                    st.remove(o);
            while (st.size() + os.full <= target) {
                const int o = int(rng() % no);
                if (!st.in[o] && os.weight[o] == os.full)
                    st.add(o);
            }
            ++restarts;
            runBest = st.uncovered;
            sinceBest = 0;
        } else if (sinceBest > stall) {
            // Back to the best set, shaken by a few random swaps.
            while (!st.chosen.empty())
                st.remove(st.chosen.back());
            for (int o : bestSet)
                st.add(o);
            for (int k = 0; k < kick; ++k) {
                const int del = st.chosen[rng() % st.chosen.size()];
                if (os.weight[del] != os.full)
                    continue;
                int y;
                do
                    y = int(rng() % no);
                while (st.in[y] || os.weight[y] != os.full);
                st.add(y);
                st.remove(del);
            }
            runBest = st.uncovered;
            sinceBest = 0;
        }
    }
    std::cout << "restarts " << restarts << "\n";
    std::cout << "best uncovered " << best << "\n";
    return best == 0 ? 0 : 1;
}

// --- Fitting a found code to the example rows of table 222 -------------------

// Isometries (column permutation, then a permutation of the signs within
// each column) keep the covering radius, so a code with K rows can take
// 222 - K example rows as extra rows and must carry the remaining ones as
// images of its own rows.
bool fitIsometry(const std::vector<std::array<int, N9>>& src, const std::vector<std::array<int, N9>>& dst,
                 std::array<int, N9>& perm, std::array<std::array<int, 3>, N9>& sym)
{
    const size_t k = src.size();
    auto pattern = [&](const std::vector<std::array<int, N9>>& ws, int col) {
        std::vector<int> p(k);
        for (size_t a = 0; a < k; ++a) {
            p[a] = int(a);
            for (size_t b = 0; b < a; ++b)
                if (ws[b][col] == ws[a][col]) {
                    p[a] = int(b);
                    break;
                }
        }
        return p;
    };
    std::vector<char> used(N9, 0);
    for (int j = 0; j < N9; ++j) {
        const auto want = pattern(dst, j);
        int pick = -1;
        for (int i = 0; i < N9 && pick < 0; ++i)
            if (!used[i] && pattern(src, i) == want)
                pick = i;
        if (pick < 0)
            return false;
        used[pick] = 1;
        perm[j] = pick;
        std::array<int, 3> m{-1, -1, -1};
        std::array<char, 3> taken{0, 0, 0};
        for (size_t a = 0; a < k; ++a) {
            m[src[a][pick]] = dst[a][j];
            taken[dst[a][j]] = 1;
        }
        for (int v = 0; v < 3; ++v)
            if (m[v] < 0)
                for (int t = 0; t < 3; ++t)
                    if (!taken[t]) {
                        m[v] = t;
                        taken[t] = 1;
                        break;
                    }
        sym[j] = m;
    }
    return true;
}

int place222(const std::string& codePath, const std::string& dir)
{
    const Shape& s = shapeOf(222);
    const Space sp(s);
    std::vector<int> code = readCode(codePath);
    std::sort(code.begin(), code.end());
    code.erase(std::unique(code.begin(), code.end()), code.end());
    std::vector<Word> rows;
    for (int x : code)
        rows.push_back(sp.decode(x));
    if (uncoveredCount(sp, rows, 2) != 0 || long(code.size()) > s.rows) {
        std::cerr << "code has " << code.size() << " rows and does not cover\n";
        return 1;
    }
    std::vector<std::array<int, N9>> examples;
    for (const Word& w : parseAll(sp, {s.first[0], s.first[1], s.first[2], s.last})) {
        std::array<int, N9> d{};
        std::copy(w.begin(), w.end(), d.begin());
        examples.push_back(d);
    }
    const int need = std::max(0, int(code.size()) + 4 - s.rows);
    std::vector<std::array<int, N9>> words;
    for (int x : code)
        words.push_back(digits9(x));
    auto dist = [](const std::array<int, N9>& a, const std::array<int, N9>& b) {
        int d = 0;
        for (int i = 0; i < N9; ++i)
            d += a[i] != b[i];
        return d;
    };
    // Choose `need` code rows to become the first `need` example rows.
    std::vector<int> pick;
    std::array<int, N9> perm{};
    std::array<std::array<int, 3>, N9> sym{};
    std::function<bool()> rec = [&]() -> bool {
        const size_t k = pick.size();
        if (int(k) == need) {
            std::vector<std::array<int, N9>> src, dst;
            for (size_t a = 0; a < k; ++a) {
                src.push_back(words[pick[a]]);
                dst.push_back(examples[a]);
            }
            if (k == 0) {
                for (int j = 0; j < N9; ++j) {
                    perm[j] = j;
                    sym[j] = {0, 1, 2};
                }
                return true;
            }
            return fitIsometry(src, dst, perm, sym);
        }
        for (size_t i = 0; i < words.size(); ++i) {
            bool ok = std::find(pick.begin(), pick.end(), int(i)) == pick.end();
            for (size_t a = 0; a < k && ok; ++a)
                ok = dist(words[pick[a]], words[i]) == dist(examples[a], examples[k]);
            if (!ok)
                continue;
            pick.push_back(int(i));
            if (rec())
                return true;
            pick.pop_back();
        }
        return false;
    };
    if (!rec()) {
        std::cerr << "no isometry puts " << need << " example rows into this code\n";
        return 1;
    }
    std::vector<Word> mapped;
    for (const auto& w : words) {
        Word m(N9);
        for (int j = 0; j < N9; ++j)
            m[j] = sym[j][w[perm[j]]];
        mapped.push_back(m);
    }
    for (const auto& e : examples) {
        const Word w(e.begin(), e.end());
        if (std::find(mapped.begin(), mapped.end(), w) == mapped.end())
            mapped.push_back(w);
    }
    // Fill up with unused combinations; extra rows keep the radius.
    for (long x = 0; long(mapped.size()) < s.rows; ++x) {
        const Word w = sp.decode(x);
        if (std::find(mapped.begin(), mapped.end(), w) == mapped.end())
            mapped.push_back(w);
    }
    return writeTable(s, orderRows(sp, s, mapped), dir) ? 0 : 1;
}

std::string readFile(const std::string& path, bool& ok)
{
    std::ifstream in(path, std::ios::binary);
    ok = bool(in);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int verify(const std::string& dir)
{
    int bad = 0;
    for (const Shape& s : shapes()) {
        bool ok = false;
        const std::string bytes = readFile(dir + "/" + std::to_string(s.id), ok);
        const std::string problem = ok ? checkTable(s, bytes) : "missing";
        std::cout << s.id << ": " << (problem.empty() ? "ok" : problem) << "\n";
        bad += !problem.empty();
    }
    return bad ? 1 : 0;
}

int make(int id, const std::string& dir, unsigned long seed)
{
    const Shape& s = shapeOf(id);
    std::mt19937_64 rng(seed);
    std::vector<Word> rows;
    switch (id) {
    case 60: rows = annealTable(s, rng); break;
    case 81: rows = linearTable(s, 4, rng); break;
    case 432: rows = table432(s); break;
    case 729: rows = linearTable(s, 6, rng); break;
    case 1296: rows = table1296(s, rng); break;
    default:
        std::cerr << "table " << id << " is made with search222 and place222\n";
        return 2;
    }
    return writeTable(s, rows, dir) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "make" && argc >= 4)
        return make(std::atoi(argv[2]), argv[3], argc > 4 ? std::stoul(argv[4]) : 1);
    if (mode == "search222" && argc >= 3)
        return search222(argc, argv);
    if (mode == "place222" && argc == 4)
        return place222(argv[2], argv[3]);
    if (mode == "verify" && argc == 3)
        return verify(argv[2]);
    std::cerr << "usage: harava_tables make <id> <data-dir> [seed]\n"
                 "       harava_tables search222 <out-file> [--group G] [--init FILE] [--size N]\n"
                 "                   [--seed S] [--seconds T] [--tenure K] [--stall M] [--kick K]\n"
                 "       harava_tables place222 <code-file> <data-dir>\n"
                 "       harava_tables verify <data-dir>\n";
    return 2;
}
