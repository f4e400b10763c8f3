// The indicator card at speed (see ThrottledCard.h).
//
// Each end is integrated on its own along the run of the driver in degrees, in units that keep
// every state near 1: pressure in chest pressures, mass in the steam the swept volume holds at
// chest pressure and temperature, temperature in the chest's, volume in swept volumes. With
// flows q (positive inward) at upstream temperatures T_i, and a closed volume held to p V^n:
//     dp/drun = (gamma / V) sum(q_i T_i) - n p (dV/drun) / V,    dm/drun = sum(q_i),
// the energy balance of an ideal gas whose walls give or take the heat that p V^n asks for. A
// flow through an opening A is k A p_u psi(p_d / p_u) / sqrt(T_u), k = Cd sqrt(gamma R T_chest)
// / (V_swept omega) with omega in degrees per second, psi the nozzle's function of the pressure
// ratio, constant once choked. Near a ratio of 1 psi rises as the root of the pressure
// difference, whose slope is infinite; within a thousandth of it psi is taken as the straight
// line to 0, a difference no card can show.
#include "ThrottledCard.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "PortAreas.h"
#include "SolveAt.h"
#include "StiffIntegrator.h"

namespace tarvell {

double saturationTemperature(double pascals) {
    // IAPWS-IF97, region 4: the saturation temperature from the pressure in MPa.
    constexpr double n1 = 0.11670521452767e4, n2 = -0.72421316703206e6;
    constexpr double n3 = -0.17073846940092e2, n4 = 0.12020824702470e5;
    constexpr double n5 = -0.32325550322333e7, n6 = 0.14915108613530e2;
    constexpr double n7 = -0.48232657361591e4, n8 = 0.40511340542057e6;
    constexpr double n9 = -0.23855557567849, n10 = 0.65017534844798e3;
    const double p = std::clamp(std::isfinite(pascals) ? pascals : 1e5, 611.213, 22.064e6) / 1e6;
    const double beta = std::sqrt(std::sqrt(p));
    const double e = beta * beta + n3 * beta + n6;
    const double f = n1 * beta * beta + n4 * beta + n7;
    const double g = n2 * beta * beta + n5 * beta + n8;
    const double d = 2.0 * g / (-f - std::sqrt(f * f - 4.0 * e * g));
    return 0.5 * (n10 + d - std::sqrt((n10 + d) * (n10 + d) - 4.0 * (n9 + n10 * d)));
}

namespace {

// The state of one end: pressure and mass, and what is summed over the turn.
enum Slot { kPressure, kMass, kWork, kIn, kOut, kLifted, kSlots };

constexpr double kTolerance = 1e-7;  // of each state, absolute and relative
// A turn ends this close to where it began once settled: well above the integration's own
// error, which differs from turn to turn as the steps fall differently.
constexpr double kSettled = 1e-5;
constexpr double kLinearFrom = 0.999;        // pressure ratio above which psi is a straight line
constexpr int kCrossingScan = 8;             // looks for port edges crossing 0 every 1/8 degree
constexpr double kCrossingTolerance = 1e-9;  // degrees
constexpr long kMostSteps = 4000000;

// The nozzle's flow function of the pressure ratio r = downstream / upstream, 0 to 1.
class FlowFunction {
  public:
    explicit FlowFunction(double gamma) : gamma_(gamma) {
        critical_ = std::pow(2.0 / (gamma + 1.0), gamma / (gamma - 1.0));
        choked_ = subsonic(critical_);
        linear_ = subsonic(kLinearFrom) / (1.0 - kLinearFrom);
    }
    double operator()(double r) const {
        if (r <= critical_) return choked_;
        if (r >= kLinearFrom) return linear_ * std::max(0.0, 1.0 - r);
        return subsonic(r);
    }

  private:
    double subsonic(double r) const {
        const double a = std::pow(r, 2.0 / gamma_), b = std::pow(r, (gamma_ + 1.0) / gamma_);
        return std::sqrt(std::max(0.0, 2.0 / (gamma_ - 1.0) * (a - b)));
    }
    double gamma_, critical_ = 0, choked_ = 0, linear_ = 0;
};

// The valve's offset over the turn: solved at every whole degree, a Catmull-Rom cubic between.
class ValveCurve {
  public:
    explicit ValveCurve(const std::array<double, 360>& offsets) : v_(offsets) {}
    double at(double angle) const {
        const double a = wrapDegrees(angle);
        const int i = std::min(359, static_cast<int>(a));
        const double u = a - i;
        const double p0 = v_[index(i - 1)], p1 = v_[index(i)], p2 = v_[index(i + 1)],
                     p3 = v_[index(i + 2)];
        return p1 +
               0.5 * u *
                   (p2 - p0 +
                    u * (2.0 * p0 - 5.0 * p1 + 4.0 * p2 - p3 + u * (3.0 * (p1 - p2) + p3 - p0)));
    }

  private:
    static std::size_t index(int i) { return static_cast<std::size_t>((i + 360) % 360); }
    std::array<double, 360> v_;
};

// A port edge of one end crossing 0, at a run of the turn.
struct Crossing {
    double run;
    bool steam;  // the steam edge, else the exhaust edge
    bool opens;
};

// One end of the cylinder as the integration sees it.
class EndModel : public StiffSystem {
  public:
    struct Setup {
        bool front;
        int direction;
        double clearance;    // swept volumes
        double n;            // the index of the steam shut in
        double back;         // back pressure, chest pressures
        double exhaustHeat;  // the exhaust's steam temperature, the chest's
        double flow;         // k times the port length: a flow per unit of opening
        bool lifts;
    };

    EndModel(const Setup& setup, const ValveCurve& valve, const PistonMotion& piston,
             const CylinderDimensions& cyl, const FlowFunction& psi)
        : s_(setup), valve_(valve), piston_(piston), cyl_(cyl), psi_(psi) {}

    double angleOf(double run) const { return wrapDegrees(s_.direction * run); }
    double place(double run) const { return piston_.place(angleOf(run)); }
    double volume(double run) const {
        const double x = place(run);
        return s_.clearance + (s_.front ? x : 1.0 - x);
    }
    EndOpenings openings(double run) const {
        const PortOpenings o = portOpeningsAt(cyl_, valve_.at(angleOf(run)));
        return s_.front ? o.front : o.rear;
    }
    const Setup& setup() const { return s_; }

    // Flow from a reservoir at (pOut, tOut) into the end at (p, t) through `area` (negative
    // when it runs out).
    double inflow(double area, double pOut, double tOut, double p, double t) const {
        if (!(area > 0)) return 0;
        if (pOut >= p) return s_.flow * area * pOut * psi_(p / pOut) / std::sqrt(tOut);
        return -s_.flow * area * p * psi_(pOut / p) / std::sqrt(t);
    }

    void derivative(const double* x, double* dx, double run) const override {
        const double angle = angleOf(run);
        const double place = piston_.place(angle);
        const double slope = piston_.slope(angle) * s_.direction;
        const double v = s_.clearance + (s_.front ? place : 1.0 - place);
        const double dv = s_.front ? slope : -slope;
        const EndOpenings o = openings(run);
        const double p = std::max(x[kPressure], 1e-12), m = std::max(x[kMass], 1e-12);
        const double t = p * v / m;
        const double steam = inflow(o.steam, 1.0, 1.0, p, t);
        const double exhaust = inflow(o.exhaustPassage, s_.back, s_.exhaustHeat, p, t);
        const double heat =
            (steam > 0 ? 1.0 : t) * steam + (exhaust > 0 ? s_.exhaustHeat : t) * exhaust;
        double dp = kSteamGamma / v * heat - s_.n * p * dv / v;
        double lifted = 0;
        if (s_.lifts && p >= 1.0 && dp > 0) {
            // The valve lifts: as much leaves to the chest as holds the pressure there.
            lifted = dp * v / (kSteamGamma * t);
            dp = 0;
        }
        dx[kPressure] = dp;
        dx[kMass] = steam + exhaust - lifted;
        dx[kWork] = p * dv;
        dx[kIn] = std::max(steam, 0.0) + std::max(exhaust, 0.0);
        dx[kOut] = std::max(-steam, 0.0) + std::max(-exhaust, 0.0) + lifted;
        dx[kLifted] = lifted;
    }

    // Holds the pressure to the lifting limit after a step, the steam let out at the end's
    // own temperature.
    void afterStep(double* x) const override {
        if (!s_.lifts || !(x[kPressure] > 1.0)) return;
        const double out = x[kMass] * (1.0 - 1.0 / x[kPressure]);
        x[kMass] -= out;
        x[kOut] += out;
        x[kLifted] += out;
        x[kPressure] = 1.0;
    }

  private:
    Setup s_;
    const ValveCurve& valve_;
    const PistonMotion& piston_;
    const CylinderDimensions& cyl_;
    const FlowFunction& psi_;
};

// Where this end's edges cross 0 over a turn, in running order: scanned on the valve curve,
// each crossing bisected.
std::vector<Crossing> crossings(const EndModel& end) {
    std::vector<Crossing> out;
    auto edges = [&](double run) {
        const EndOpenings o = end.openings(run);
        return std::pair{o.steamEdge, o.exhaustEdge};
    };
    auto before = edges(0);
    for (int k = 1; k <= 360 * kCrossingScan; ++k) {
        const double run = static_cast<double>(k) / kCrossingScan;
        const auto now = edges(run);
        for (bool steam : {true, false}) {
            const double a = steam ? before.first : before.second;
            const double b = steam ? now.first : now.second;
            if ((a > 0) == (b > 0)) continue;
            double lo = run - 1.0 / kCrossingScan, hi = run;
            while (hi - lo > kCrossingTolerance) {
                const double mid = 0.5 * (lo + hi);
                const auto e = edges(mid);
                (((steam ? e.first : e.second) > 0) == (a > 0) ? lo : hi) = mid;
            }
            out.push_back({std::fmod(hi, 360.0), steam, b > 0});
        }
        before = now;
    }
    std::sort(out.begin(), out.end(),
              [](const Crossing& a, const Crossing& b) { return a.run < b.run; });
    return out;
}

CardPhase phaseAt(const EndModel& end, double run) {
    const EndOpenings o = end.openings(run);
    return cardPhase(static_cast<float>(o.steam), static_cast<float>(o.exhaustPassage));
}

// A place the integration stops at over a turn: a sample of the card, or a port edge's crossing.
struct Stop {
    double run;
    int crossing;  // index into the crossings, or -1 for a sample
};

// The state a turn starts from settles geometrically, the slowest part (how hot the steam
// left in the clearance is) losing a like share each turn: from three turns' starts where
// both pressure and mass close in steadily (Aitken's extrapolation), the state it settles to.
void extrapolate(const std::array<std::array<double, 2>, 3>& starts,
                 std::array<double, kSlots>& x) {
    std::array<double, 2> settled{};
    for (std::size_t k = 0; k < 2; ++k) {
        const double d1 = starts[1][k] - starts[0][k], d2 = starts[2][k] - starts[1][k];
        if (std::fabs(d2) <= 1e-3 * kSettled * std::fabs(starts[2][k])) {  // settled already
            settled[k] = starts[2][k];
            continue;
        }
        const double ratio = d2 / d1;
        if (!(ratio > 0 && ratio < 0.9)) return;
        settled[k] = starts[2][k] + d2 * ratio / (1.0 - ratio);
        if (!(settled[k] > 0)) return;
    }
    x[kPressure] = settled[0];
    x[kMass] = settled[1];
}

// Runs one end turn after turn until a turn ends where it began (or kMostCardTurns), and gives
// the last turn's card in chest pressures and swept volumes, its steam in units of the chest's
// steam in a swept volume.
struct EndRun {
    ThrottledEnd end;  // steam and pressures still in those units
    int turns = 0;
    bool settled = false;
};

EndRun runEnd(const EndModel& end, int samples) {
    const EndModel::Setup& s = end.setup();
    const std::vector<Crossing> edges = crossings(end);
    std::vector<Stop> stops;
    stops.reserve(static_cast<std::size_t>(samples) + edges.size() + 1);
    for (int k = 0; k < samples; ++k) stops.push_back({360.0 * k / samples, -1});
    for (std::size_t i = 0; i < edges.size(); ++i)
        if (edges[i].run > 0) stops.push_back({edges[i].run, static_cast<int>(i)});
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Stop& a, const Stop& b) { return a.run < b.run; });

    std::array<double, kSlots> x{};
    x[kPressure] = s.back;
    x[kMass] = s.back * end.volume(0) / s.exhaustHeat;
    StiffIntegrator integrator(kSlots, 2, kTolerance, kMostSteps);
    bool going = true;
    auto advance = [&](double from, double to) {
        double run = from;
        going = going && integrator.advance(end, x.data(), run, to);
    };

    EndRun out;
    std::vector<double> pressures(stops.size());
    // The turn's starting state, turn by turn, for the extrapolation below.
    std::array<std::array<double, 2>, 3> starts{};
    for (int turn = 0; turn < kMostCardTurns && going && !out.settled; ++turn) {
        const double p0 = x[kPressure], m0 = x[kMass];
        for (Slot slot : {kWork, kIn, kOut, kLifted}) x[slot] = 0;
        const double base = 360.0 * turn;
        double at = 0;
        for (std::size_t i = 0; i < stops.size(); ++i) {
            advance(base + at, base + stops[i].run);
            at = stops[i].run;
            pressures[i] = x[kPressure];
        }
        advance(base + at, base + 360.0);
        out.turns = turn + 1;
        out.settled = going && turn > 0 &&
                      std::fabs(x[kPressure] - p0) <= kSettled * std::fabs(p0) &&
                      std::fabs(x[kMass] - m0) <= kSettled * std::fabs(m0);
        starts = {starts[1], starts[2], {x[kPressure], x[kMass]}};
        if (!out.settled && turn >= 2 && turn % 3 == 2) extrapolate(starts, x);
    }

    ThrottledEnd& e = out.end;
    IndicatorCard& card = e.card;
    card.mep = x[kWork];
    e.steamIn = x[kIn];
    e.steamOut = x[kOut];
    e.lifted = x[kLifted];
    card.points.reserve(stops.size() + 1);
    e.leastPressure = e.greatestPressure = pressures.empty() ? x[kPressure] : pressures[0];
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const double run = stops[i].run, place = end.place(run);
        card.points.push_back({end.angleOf(run), place, s.front ? place : 1.0 - place, pressures[i],
                               phaseAt(end, run + 1e-9)});
        e.leastPressure = std::min(e.leastPressure, pressures[i]);
        e.greatestPressure = std::max(e.greatestPressure, pressures[i]);
    }
    if (!card.points.empty()) {
        CardPoint closing = card.points.front();
        closing.pressure = x[kPressure];
        card.points.push_back(closing);
    }
    // The first cut-off while the volume grows, and the pressure where the exhaust next opens.
    for (std::size_t i = 0; i < stops.size() && !std::isfinite(card.cutOffPct); ++i) {
        if (stops[i].crossing < 0) continue;
        const Crossing& c = edges[static_cast<std::size_t>(stops[i].crossing)];
        if (!c.steam || c.opens || !(end.volume(c.run + 1e-6) > end.volume(c.run))) continue;
        card.cutOffPct = 100.0 * card.points[i].stroke;
        for (std::size_t k = 1; k <= stops.size(); ++k) {
            const Stop& r = stops[(i + k) % stops.size()];
            if (r.crossing < 0) continue;
            const Crossing& rc = edges[static_cast<std::size_t>(r.crossing)];
            if (!rc.steam && rc.opens) {
                card.releasePressure = pressures[(i + k) % stops.size()];
                break;
            }
        }
    }
    return out;
}

}  // namespace

ThrottledIndicatorResult throttledIndicatorDiagram(const Model& m, float position,
                                                   const IndicatorSettings& wanted, double speedRpm,
                                                   int samplesPerTurn) {
    ThrottledIndicatorResult out;
    out.settings = usableIndicatorSettings(wanted);
    out.position = position;
    out.speedRpm = speedRpm;
    if (!(speedRpm >= kLeastCardSpeed && speedRpm <= kMostCardSpeed)) {
        out.problem = "the speed must lie between 0.001 and 100000 revolutions per minute";
        return out;
    }
    const IndicatorSettings& s = out.settings;
    LinkageSolver solver(m);
    out.tag = positionTag(m, position, midGearOrientation(solver));
    out.forward = runsForward(out.tag);

    std::array<double, 360> offsets{};
    for (int a = 0; a < 360; ++a) {
        const LinkageSolution sol = solver.solve(a, position);
        offsets[static_cast<std::size_t>(a)] =
            static_cast<double>(sol.stemX()) + m.cyl.ValveStem() - m.cyl.CylCtrToDriverCtr();
    }
    const ValveCurve valve(offsets);
    const PistonMotion piston(m, solver.deadCentres());
    const FlowFunction psi(kSteamGamma);

    const double pascals = pascalsPer(s.pressureUnit), metres = metresPer(s.lengthUnit);
    const double chest = s.chestPressure * pascals;
    out.chestTemperature = saturationTemperature(chest);
    const double swept = sweptVolume(m) * metres * metres * metres;
    const double omega = 6.0 * speedRpm;  // degrees per second
    const double k = kPortDischargeCoefficient *
                     std::sqrt(kSteamGamma * kSteamGasConstant * out.chestTemperature) /
                     (std::fabs(swept) * omega);
    const double back = s.backPressure / s.chestPressure;
    // The exhaust's steam: the chest's expanded to back pressure by the card's own law.
    const double exhaustHeat = std::pow(back, (s.polytropicIndex - 1.0) / s.polytropicIndex);
    const int samples = std::clamp(samplesPerTurn, 36, 3600);
    const int direction = out.forward ? 1 : -1;

    // A card in chest pressures to one in the settings' unit, and its steam to kg.
    const double steamMass = chest * std::fabs(swept) / (kSteamGasConstant * out.chestTemperature);
    for (bool front : {true, false}) {
        const EndModel::Setup setup{front,
                                    direction,
                                    (front ? s.frontClearancePct : s.rearClearancePct) / 100.0,
                                    s.polytropicIndex,
                                    back,
                                    exhaustHeat,
                                    k * s.portLength * metres * metres,
                                    s.valveLifts};
        const EndModel end(setup, valve, piston, m.cyl, psi);
        EndRun run = runEnd(end, samples);
        ThrottledEnd& e = run.end;
        for (CardPoint& p : e.card.points) p.pressure *= s.chestPressure;
        e.card.mep *= s.chestPressure;
        e.card.work = e.card.mep * sweptVolume(m);
        e.card.releasePressure *= s.chestPressure;
        e.leastPressure *= s.chestPressure;
        e.greatestPressure *= s.chestPressure;
        e.steamIn *= steamMass;
        e.steamOut *= steamMass;
        e.lifted *= steamMass;
        (front ? out.front : out.rear) = std::move(e);
        out.turns = std::max(out.turns, run.turns);
        out.settled = front ? run.settled : out.settled && run.settled;
    }
    out.differencePct = mepDifferencePercent(out.front.card.mep, out.rear.card.mep);
    out.solves = solver.solves();
    out.findings = solver.findings();
    return out;
}

}  // namespace tarvell
