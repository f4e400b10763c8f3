// The linkage solver, the valve quantities and the mid-gear calculation.
//
// Joints are closed by the law of cosines with the one-argument arctangent of a ratio (the
// mechanism's quadrant behaviour follows from that); the die block, which must lie on the
// link's arc, is found by a one-sided step search on the valve rod's rear end. Results are
// stored as single precision; intermediates are doubles.
#include "Calc.h"

#include <algorithm>
#include <cmath>

#include "Numbers.h"
#include "Piston.h"
#include "RootFinding.h"
#include "SolveAt.h"

namespace tarvell {
namespace {

using enum Pivot::Name;

constexpr double kTiny = 0.00001;
constexpr double kCosineLimit = 0.999999;
constexpr int kSearchLimit = 300;

float single(double v) {
    return toSingle(v);
}

double asinByAtan(double c) {
    return std::atan(c / std::sqrt(1.0 - c * c));
}

// What one solve works on: the frame dimensions it reads, and the pivots and solver state it
// leaves. The live solve works on the model's own pivots and state, a solve at an angle on
// copies of them. The guards keep a wild dimension set from giving a non-finite linkage; each
// one that binds raises the error flag, when the user wants to hear of it.
struct Linkage {
    const FrameDimensions& f;
    PivotSet& p;
    SolverState& s;

    void raiseError() {
        if (s.BeepOnError) s.ErrorFlag = true;
    }

    double denominator(double v) {
        if (v >= 0 && v < kTiny) {
            raiseError();
            return kTiny;
        }
        if (v < 0 && v > -kTiny) {
            raiseError();
            return -kTiny;
        }
        return v;
    }

    double root(double q) {
        if (q < 0) {
            raiseError();
            return -q;
        }
        return q;
    }

    double cosine(double c) {
        // Inside the valve-rod search the coarse stages routinely try positions the lifting
        // link cannot reach; those clamps are only reported once the step is fine.
        const bool report = s.SearchStep < 0.01f;
        if (c > kCosineLimit) {
            if (report) raiseError();
            return kCosineLimit;
        }
        if (c < -kCosineLimit) {
            if (report) raiseError();
            return -kCosineLimit;
        }
        return c;
    }

    // A joint closing a triangle: two rods of lengths a and b from points d apart meet at it.
    // The cosine of the angle between the line of the two points and rod a, by the law of
    // cosines, clamped to what a cosine can be. `aDivisor` is a as the caller guards it.
    double closingCosine(double d, double a, double b, double aDivisor) {
        return cosine((d * d + (a * a - b * b)) / (2.0 * denominator(d) * aDivisor));
    }
};

float searchStart(const FrameDimensions& f, const PivotSet& p) {
    return single(static_cast<double>(p[LinkTrunnion].x) + f.ValveRodTotalLen - f.ValveRodShortEnd);
}

// 1. Crank pin, from the driver angle's cosine and sine.
void placeCrankPin(Linkage& w, double cosTheta, double sinTheta) {
    const double r = static_cast<double>(w.f.Stroke) / 2.0;
    w.p[CrankPin].x = single(w.p[CrankCentre].x + r * cosTheta);
    w.p[CrankPin].y = single(w.p[CrankCentre].y - r * sinTheta);
}

// 2. Crosshead, always on the cylinder side of the crank pin.
void placeCrosshead(Linkage& w) {
    PivotSet& p = w.p;
    const double dy = static_cast<double>(p[CrankPin].y) - p[Crosshead].y;
    const double q = w.root(static_cast<double>(w.f.MainRodLength) * w.f.MainRodLength - dy * dy);
    p[Crosshead].x = single(p[CrankPin].x + std::sqrt(q));
}

// 3. Fulcrum lever lower end: triangle crank pin - lower end - fulcrum centre.
void placeFulcrumLeverLower(Linkage& w, double motionConRodLength) {
    PivotSet& p = w.p;
    const double dx = static_cast<double>(p[FulcrumCentre].x) - p[CrankPin].x;
    const double dy = static_cast<double>(p[FulcrumCentre].y) - p[CrankPin].y;
    const double alpha = std::atan(dy / w.denominator(dx));
    const double d = std::sqrt(dx * dx + dy * dy);
    const double lm = motionConRodLength;
    const double c = w.closingCosine(d, lm, w.f.FulcrumLeverLower, lm);
    const double beta = asinByAtan(c) - kPi / 2.0 + alpha;
    p[FulcrumLeverLower].x = single(p[CrankPin].x + lm * std::cos(beta));
    p[FulcrumLeverLower].y = single(p[CrankPin].y + lm * std::sin(beta));
}

// 4. Fulcrum lever upper end and link trunnion; the lever is straight through its lower end,
// the fulcrum centre and its upper end.
void placeLinkTrunnion(Linkage& w) {
    PivotSet& p = w.p;
    const FrameDimensions& f = w.f;
    const double gamma =
        std::atan((static_cast<double>(p[FulcrumCentre].x) - p[FulcrumLeverLower].x) /
                  w.denominator(static_cast<double>(p[FulcrumCentre].y) - p[FulcrumLeverLower].y));
    p[FulcrumLeverUpper].x = single(p[FulcrumCentre].x + f.FulcrumLeverUpper * std::sin(gamma));
    p[FulcrumLeverUpper].y = single(p[FulcrumCentre].y + f.FulcrumLeverUpper * std::cos(gamma));
    p[LinkTrunnion].x = single(p[FulcrumLeverUpper].x + f.FulcrumLeverBackSet * std::cos(gamma));
    p[LinkTrunnion].y = single(p[FulcrumLeverUpper].y - f.FulcrumLeverBackSet * std::sin(gamma));
}

// 5. Motion con rod foot.
void placeMotionConRodFoot(Linkage& w) {
    PivotSet& p = w.p;
    const FrameDimensions& f = w.f;
    const double delta =
        std::atan((static_cast<double>(p[FulcrumLeverLower].y) - p[CrankPin].y) /
                  w.denominator(static_cast<double>(p[FulcrumLeverLower].x) - p[CrankPin].x));
    p[FootBase].x = single(p[FulcrumLeverLower].x - f.MotionConRodFootHorz * std::cos(delta));
    p[FootBase].y = single(p[FulcrumLeverLower].y - f.MotionConRodFootHorz * std::sin(delta));
    p[MotionConRodFoot].x = single(p[FootBase].x + f.MotionConRodFootVert * std::sin(delta));
    p[MotionConRodFoot].y = single(p[FootBase].y - f.MotionConRodFootVert * std::cos(delta));
}

// 6. Rocking arm end: triangle foot - rocking arm end - trunnion.
void placeRockingArmEnd(Linkage& w) {
    PivotSet& p = w.p;
    const double dx = static_cast<double>(p[LinkTrunnion].x) - p[MotionConRodFoot].x;
    const double dy = static_cast<double>(p[LinkTrunnion].y) - p[MotionConRodFoot].y;
    const double eps = std::atan(dx / w.denominator(dy));
    const double d = std::sqrt(dx * dx + dy * dy);
    const double lc = w.f.LinkConRodLength;
    const double c = w.closingCosine(d, lc, w.f.LinkRockingArmLen, w.denominator(lc));
    const double zeta = asinByAtan(c) - kPi / 2.0 + eps;
    p[RockingArmEnd].x = single(p[MotionConRodFoot].x + lc * std::sin(zeta));
    p[RockingArmEnd].y = single(p[MotionConRodFoot].y + lc * std::cos(zeta));
}

// 7. Link arc centre; the link is rigid with its rocking arm. Returns the orientation sign.
int placeLinkArcCentre(Linkage& w) {
    PivotSet& p = w.p;
    const FrameDimensions& f = w.f;
    const double eta =
        std::atan((static_cast<double>(p[RockingArmEnd].y) - p[LinkTrunnion].y) /
                  w.denominator(static_cast<double>(p[LinkTrunnion].x) - p[RockingArmEnd].x)) +
        radians(static_cast<double>(f.LinkRockingAngleDeg) - 90.0);
    p[LinkArcCentre].x = single(p[LinkTrunnion].x + f.LinkRadius * std::sin(eta));
    p[LinkArcCentre].y = single(p[LinkTrunnion].y + f.LinkRadius * std::cos(eta));
    return p[LinkArcCentre].x >= p[LinkTrunnion].x ? 1 : -1;
}

// 8. Reverse arm: a bell crank about its pivot whose end stands at `position`.
void placeReverseArm(Linkage& w, float position) {
    PivotSet& p = w.p;
    const FrameDimensions& f = w.f;
    p[ReverseArmEnd].x = position;
    const double bs = f.ReverseArmBackSet;
    const double rv = f.ReverseArmVert;
    const double e = std::sqrt(bs * bs + rv * rv);
    const double dx = static_cast<double>(p[ReverseArmEnd].x) - p[ReverseArmPivot].x;
    const double q = w.root(e * e - dx * dx);
    p[ReverseArmEnd].y = single(p[ReverseArmPivot].y + std::sqrt(q));
    const double kappa = std::atan(dx / w.denominator(static_cast<double>(p[ReverseArmEnd].y) -
                                                      p[ReverseArmPivot].y)) -
                         std::atan(bs / w.denominator(rv));
    p[ReverseArmCorner].x = single(p[ReverseArmPivot].x + rv * std::sin(kappa));
    p[ReverseArmCorner].y = single(p[ReverseArmPivot].y + rv * std::cos(kappa));
    p[LiftingArmEnd].x = single(p[ReverseArmPivot].x - f.LiftingArmLength * std::cos(kappa));
    p[LiftingArmEnd].y = single(p[ReverseArmPivot].y + f.LiftingArmLength * std::sin(kappa));
}

// 9. Valve rod: walk the rear end toward +X while the die block is outside the link's arc;
// once inside, back off by 0.8 of a step and refine by a factor of 5. Places the valve stem
// end when the search succeeds; returns false when it gives up.
bool searchValveRod(Linkage& w) {
    PivotSet& p = w.p;
    SolverState& s = w.s;
    const FrameDimensions& f = w.f;
    const double total = f.ValveRodTotalLen;
    const double sLen = static_cast<double>(f.ValveRodTotalLen) - f.ValveRodShortEnd;
    const double lift = f.LiftingLinkLength;
    const float radius = f.LinkRadius;
    p[ValveRodRearEnd].y = single(static_cast<double>(p[ValveStemEnd].y) + f.ValveStemOffsetVert);
    s.SearchStep = 0.5f;
    p[ValveRodRearEnd].x = searchStart(f, p);
    const double sGuarded = w.denominator(sLen);
    const double rodRatio = total / sGuarded;  // die block beyond the joint, as a multiple
    int i = 0;
    for (;;) {
        // λ = atan(dy / dx) and asin(c) = atan(c / √(1 − c²)) are one-argument arctangents in
        // (−π/2, π/2), so their cosines are positive and follow from the ratio alone:
        // cos atan(dy/dx) = |dx|/d, sin atan(dy/dx) = sign(dx)·dy/d; cos asin c = √(1 − c²).
        // μ = asin(c) + λ − π/2 is then taken through the angle-sum identities, which keeps
        // every transcendental call out of this loop.
        const double dx = static_cast<double>(p[ValveRodRearEnd].x) - p[LiftingArmEnd].x;
        const double dy = static_cast<double>(p[LiftingArmEnd].y) - p[ValveRodRearEnd].y;
        const double d = std::sqrt(dx * dx + dy * dy);
        const double dxGuarded = w.denominator(dx);
        double cosLambda, sinLambda;
        if (dxGuarded == dx) {
            const double inv = 1.0 / d;
            cosLambda = std::fabs(dx) * inv;
            sinLambda = (dx < 0 ? -dy : dy) * inv;
        } else {
            const double t = dy / dxGuarded;
            cosLambda = 1.0 / std::sqrt(1.0 + t * t);
            sinLambda = t * cosLambda;
        }
        const double c = w.closingCosine(d, sLen, lift, sGuarded);
        const double cosAsin = std::sqrt(1.0 - c * c);
        const double cosMu = c * cosLambda + cosAsin * sinLambda;  // sin(asin c + λ)
        const double sinMu = c * sinLambda - cosAsin * cosLambda;  // −cos(asin c + λ)
        const Pivot& rear = p[ValveRodRearEnd];
        p[LiftingLinkJoint].x = single(rear.x - sLen * cosMu);
        p[LiftingLinkJoint].y = single(rear.y + sLen * sinMu);
        p[DieBlock].x =
            single(rear.x + (static_cast<double>(p[LiftingLinkJoint].x) - rear.x) * rodRatio);
        p[DieBlock].y =
            single(rear.y + (static_cast<double>(p[LiftingLinkJoint].y) - rear.y) * rodRatio);
        const double ddx = static_cast<double>(p[LinkArcCentre].x) - p[DieBlock].x;
        const double ddy = static_cast<double>(p[DieBlock].y) - p[LinkArcCentre].y;
        s.DieBlockDistance = single(std::sqrt(ddx * ddx + ddy * ddy));
        const bool outside = s.DieBlockDistance > radius;
        if (outside) p[ValveRodRearEnd].x = p[ValveRodRearEnd].x + s.SearchStep;
        ++i;
        if (i > kSearchLimit) return false;
        if (outside) continue;
        p[ValveRodRearEnd].x = p[ValveRodRearEnd].x - 0.8f * s.SearchStep;
        s.SearchStep = 0.2f * s.SearchStep;
        if (s.SearchStep > s.SolveTolerance) continue;
        break;
    }
    p[ValveStemEnd].x = p[ValveRodRearEnd].x;
    return true;
}

// Steps 0-9 at the driver angle whose cosine and sine are given: every pivot but the valve
// stem end's when the valve-rod search fails (then false). The motion con rod's length is
// passed as the solve takes it (never 0).
bool placePivots(Linkage& w, double cosTheta, double sinTheta, float reverseArmPosition,
                 double motionConRodLength, int& orientationSign) {
    placeCrankPin(w, cosTheta, sinTheta);
    placeCrosshead(w);
    placeFulcrumLeverLower(w, motionConRodLength);
    placeLinkTrunnion(w);
    placeMotionConRodFoot(w);
    placeRockingArmEnd(w);
    orientationSign = placeLinkArcCentre(w);
    placeReverseArm(w, reverseArmPosition);
    if (searchValveRod(w)) return true;
    w.raiseError();
    w.s.SolveStatus = 'E';
    w.s.SearchStep = w.s.SolveTolerance - 1.0f;
    return false;
}

// 10. The valve limits for a valve stem end at X `stemX`.
void valveLimitsFor(const CylinderDimensions& c, float stemX, ValveLimits& v) {
    const double h = c.ExhaustPortWidth() / 2.0;
    const double bf = c.BridgeWidthFront(), br = c.BridgeWidthRear();
    const double sf = c.SteamPortWidthFront(), sr = c.SteamPortWidthRear();
    v.FrontAdmitLimit = single(h + bf + sf - c.ValveLengthFrontHalf());
    v.FrontFullOpenLimit = single(h + bf - c.ValveLengthFrontHalf());
    v.FrontExhaustLimit = single(h + bf - c.ValveExhCavityFrontHalf());
    v.RearAdmitLimit = single(h + br + sr - c.ValveLengthRearHalf());
    v.RearFullOpenLimit = single(h + br - c.ValveLengthRearHalf());
    v.RearExhaustLimit = single(h + br - c.ValveExhCavityRearHalf());
    v.ValveOffset = single(static_cast<double>(stemX) + c.ValveStem() - c.CylCtrToDriverCtr());
    v.RearAdmitStemLimit = single(static_cast<double>(c.ValveStem()) - c.ValveLengthRearHalf() -
                                  c.CylCtrToDriverCtr() + h + br + sr);
    v.FrontAdmitStemLimit =
        single(h + c.CylCtrToDriverCtr() + bf + sf - c.ValveStem() - c.ValveLengthFrontHalf());
    v.NegFrontAdmitLimit = -v.FrontAdmitLimit;
    v.NegRearAdmitLimit = -v.RearAdmitLimit;
    v.NegFrontExhaustLimit = -v.FrontExhaustLimit;
    v.NegRearExhaustLimit = -v.RearExhaustLimit;
}

// The four port openings for a valve stem end at X `stemX`.
void openingsFor(const CylinderDimensions& c, float stemX, Openings& o) {
    // The valve's offset from the cylinder centre.
    const double v = static_cast<double>(stemX) + c.ValveStem() - c.CylCtrToDriverCtr();
    const double h = c.ExhaustPortWidth() / 2.0;
    const double bf = c.BridgeWidthFront(), br = c.BridgeWidthRear();
    o.FrontSteamOpening =
        single((h + bf + c.SteamPortWidthFront()) - (v + c.ValveLengthFrontHalf()));
    o.FrontExhaustOpening = single((v + c.ValveExhCavityFrontHalf()) - (h + bf));
    o.RearSteamOpening = single((v - c.ValveLengthRearHalf()) + (h + br + c.SteamPortWidthRear()));
    o.RearExhaustOpening = single((c.ValveExhCavityRearHalf() - v) - (h + br));
}

// Piston travel (0 at the front dead centre, 640 at the rear) from the driver angle's cosine
// and sine; what depends on the rods alone is worked out once. The crosshead runs on the
// cylinder line, `offset` above the axle, so the main rod spans the crank pin's height below
// the crank centre plus the offset.
class PistonTravel {
  public:
    PistonTravel(Linkage& w, double offset, const DeadCentres& deadCentres)
        : w_(w),
          stroke_(w.f.Stroke),
          strokeGuarded_(w.denominator(stroke_)),
          len_(w.f.MainRodLength),
          rodTerm_(len_ / strokeGuarded_ * 2.0),
          offset_(offset),
          onAxleLine_(deadCentres.onAxleLine),
          front_(deadCentres.frontPlace),
          scale_(kFullTravel / (deadCentres.rearPlace - deadCentres.frontPlace)) {}

    // The piston's place on the scale that runs from 0 at driver angle 0 to 640 at 180 when
    // the cylinder line passes through the axle.
    double place(double cosTheta, double sinTheta) const {
        const double half = sinTheta * stroke_ / 2.0 + offset_;
        const double q = w_.root(len_ * len_ - half * half);
        return kCentre - (cosTheta + std::sqrt(q) / strokeGuarded_ * 2.0 - rodTerm_) * kCentre;
    }

    float at(double cosTheta, double sinTheta) const {
        if (onAxleLine_) return single(place(cosTheta, sinTheta));
        return single((place(cosTheta, sinTheta) - front_) * scale_);
    }

  private:
    static constexpr double kCentre = kFullTravel / 2.0;
    Linkage& w_;
    double stroke_, strokeGuarded_, len_, rodTerm_, offset_;
    bool onAxleLine_;
    double front_, scale_;
};

// How far the cylinder line stands above the axle (code 102 less the crank centre's height).
double cylinderLineOffset(const Model& m) {
    return static_cast<double>(m.pivots[Crosshead].y) - m.pivots[CrankCentre].y;
}

float pistonTravel(Linkage& w, const Model& m, const DeadCentres& deadCentres, double cosTheta,
                   double sinTheta) {
    return PistonTravel(w, cylinderLineOffset(m), deadCentres).at(cosTheta, sinTheta);
}

double motionConRodLengthOf(const FrameDimensions& f) {
    return f.MotionConRodLength == 0.0f ? static_cast<float>(kTiny) : f.MotionConRodLength;
}

}  // namespace

void SolveLinkage(Model& m) {
    // A motion con rod of no length is taken as a tiny one, and kept so.
    if (m.frame.MotionConRodLength == 0.0f) m.frame.MotionConRodLength = static_cast<float>(kTiny);
    Linkage w{m.frame, m.pivots, m.solver};
    const double theta = radians(m.gear.DriverAngle);
    if (!placePivots(w, std::cos(theta), std::sin(theta), m.gear.ReverseArmPosition,
                     m.frame.MotionConRodLength, m.orientationSign))
        return;  // the valve stem end and the valve limits keep their last good values
    ComputeValveLimits(m);
}

DeadCentres findDeadCentres(const Model& m) {
    DeadCentres out;
    const double offset = cylinderLineOffset(m);
    if (offset == 0 || !std::isfinite(offset)) return out;
    PivotSet unused;
    SolverState s = m.solver;
    Linkage w{m.frame, unused, s};
    const PistonTravel piston(w, offset, out);
    auto place = [&](double angle) {
        const double theta = radians(angle);
        return piston.place(std::cos(theta), std::sin(theta));
    };
    // The crank and the main rod come into line where the crank stands asin(offset / (rod
    // +- crank)) off the horizontal: within a degree or two of that either side of 0 and 180,
    // or anywhere in the half turn about them when the rod cannot reach that far.
    const double crank = std::fabs(static_cast<double>(m.frame.Stroke)) / 2.0;
    const double reach = std::fabs(offset) / (std::fabs(m.frame.MainRodLength) - crank);
    const int half = reach > 0 && reach < 1
                         ? static_cast<int>(std::ceil(std::asin(reach) / kRadiansPerDegree)) + 1
                         : 90;
    const SearchPoint front =
        bracketedMaximum([&](double a) { return -place(a); }, -half, half, kDeadCentreTolerance);
    const SearchPoint rear = bracketedMaximum(place, 180 - half, 180 + half, kDeadCentreTolerance);
    const double frontPlace = -front.value, rearPlace = rear.value;
    // A crank of no length has no stroke to measure per cents of: left as on the axle line.
    if (!(rearPlace - frontPlace > 0) || !std::isfinite(rearPlace - frontPlace)) return out;
    out.front = wrapDegrees(front.x);
    out.rear = wrapDegrees(rear.x);
    out.onAxleLine = false;
    out.frontPlace = frontPlace;
    out.rearPlace = rearPlace;
    return out;
}

LinkageSolution solveLinkageAt(const Model& m, double driverAngle, float reverseArmPosition) {
    return solveLinkageAt(m, driverAngle, reverseArmPosition, findDeadCentres(m));
}

LinkageSolution solveLinkageAt(const Model& m, double driverAngle, float reverseArmPosition,
                               const DeadCentres& deadCentres) {
    LinkageSolution out;
    out.driverAngle = static_cast<float>(wrapDegrees(driverAngle));
    out.reverseArmPosition = reverseArmPosition;
    out.pivots = m.pivots;
    out.limits = m.limits;
    SolverState s = m.solver;
    s.ErrorFlag = false;
    s.SolveStatus = 'Z';
    Linkage w{m.frame, out.pivots, s};
    const double theta = radians(out.driverAngle);
    const double cosTheta = std::cos(theta), sinTheta = std::sin(theta);
    out.failed = !placePivots(w, cosTheta, sinTheta, reverseArmPosition,
                              motionConRodLengthOf(m.frame), out.orientationSign);
    out.searchStart = searchStart(m.frame, out.pivots);
    const float stemX = out.pivots[ValveStemEnd].x;
    if (!out.failed) valveLimitsFor(m.cyl, stemX, out.limits);
    openingsFor(m.cyl, stemX, out.openings);
    out.openings.PistonTravel = pistonTravel(w, m, deadCentres, cosTheta, sinTheta);
    out.errorRaised = s.ErrorFlag;
    return out;
}

float pistonTravelAt(const Model& m, double driverAngle, bool* errorRaised) {
    return pistonTravelAt(m, driverAngle, findDeadCentres(m), errorRaised);
}

float pistonTravelAt(const Model& m, double driverAngle, const DeadCentres& deadCentres,
                     bool* errorRaised) {
    PivotSet unused;
    SolverState s = m.solver;
    s.ErrorFlag = false;
    Linkage w{m.frame, unused, s};
    const double theta = radians(static_cast<float>(wrapDegrees(driverAngle)));
    const float travel = pistonTravel(w, m, deadCentres, std::cos(theta), std::sin(theta));
    if (errorRaised && s.ErrorFlag) *errorRaised = true;
    return travel;
}

void pistonTravelsOverTurn(const Model& m, bool forward, std::span<float> travels,
                           bool* errorRaised) {
    pistonTravelsOverTurn(m, forward, travels, findDeadCentres(m), errorRaised);
}

void pistonTravelsOverTurn(const Model& m, bool forward, std::span<float> travels,
                           const DeadCentres& deadCentres, bool* errorRaised) {
    constexpr std::size_t kFreshEvery = 8;  // rotation adds an ulp or two a step
    PivotSet unused;
    SolverState s = m.solver;
    s.ErrorFlag = false;
    Linkage w{m.frame, unused, s};
    const std::size_t count = travels.size();
    const double step = radians((forward ? 360.0 : -360.0) / static_cast<double>(count));
    const double cosStep = std::cos(step), sinStep = std::sin(step);
    const PistonTravel piston(w, cylinderLineOffset(m), deadCentres);
    // On the axle line the travel depends on the cosine and the square of the sine: the second
    // half of the turn repeats the first backward. Off it every angle is its own.
    const bool mirrored = deadCentres.onAxleLine;
    double c = 1, sn = 0;
    for (std::size_t k = 0; mirrored ? 2 * k <= count : k < count; ++k) {
        if (k % kFreshEvery == 0) {
            const double theta = step * static_cast<double>(k);
            c = std::cos(theta), sn = std::sin(theta);
        }
        travels[k] = piston.at(c, sn);
        if (mirrored && k > 0 && 2 * k < count) travels[count - k] = travels[k];
        const double next = c * cosStep - sn * sinStep;
        sn = sn * cosStep + c * sinStep;
        c = next;
    }
    if (errorRaised && s.ErrorFlag) *errorRaised = true;
}

PistonMotion::PistonMotion(const Model& m, const DeadCentres& deadCentres)
    : crank_(static_cast<double>(m.frame.Stroke) / 2.0),
      rod_(m.frame.MainRodLength),
      offset_(cylinderLineOffset(m)),
      front_(deadCentres.frontPlace),
      scale_(1.0 / (deadCentres.rearPlace - deadCentres.frontPlace)) {}

// The place is the crank pin's distance toward the cylinder plus the main rod's run along the
// line, taken from the front dead centre and scaled by the stroke; the same as PistonTravel's
// place over 640 (both are 320 (1 - x / crank) plus a constant, x the crosshead's run).
double PistonMotion::place(double driverAngle) const {
    const double theta = radians(driverAngle);
    const double rise = crank_ * std::sin(theta) + offset_;
    const double along = std::sqrt(std::max(0.0, rod_ * rod_ - rise * rise));
    const double raw =
        kFullTravel / 2.0 *
        (1.0 - (crank_ * std::cos(theta) + along - rod_) / (crank_ == 0 ? 1.0 : crank_));
    return (raw - front_) * scale_;
}

double PistonMotion::slope(double driverAngle) const {
    const double theta = radians(driverAngle);
    const double rise = crank_ * std::sin(theta) + offset_;
    const double along = std::sqrt(std::max(0.0, rod_ * rod_ - rise * rise));
    const double dRise = crank_ * std::cos(theta);
    const double dAlong = along > 0 ? -rise * dRise / along : 0.0;
    const double dx = -crank_ * std::sin(theta) + dAlong;  // per radian
    return -kFullTravel / 2.0 * dx / (crank_ == 0 ? 1.0 : crank_) * scale_ * kRadiansPerDegree;
}

float LinkageSolution::opening(Edge e) const {
    switch (e) {
        case FrontSteam:
            return openings.FrontSteamOpening;
        case FrontExhaust:
            return openings.FrontExhaustOpening;
        case RearSteam:
            return openings.RearSteamOpening;
        case RearExhaust:
        case kEdges:
            break;
    }
    return openings.RearExhaustOpening;
}

float ValveRodSearchStart(const Model& m) {
    return searchStart(m.frame, m.pivots);
}

double ValveRodSearchResolution(const Model& m) {
    // The search walks on steps of 0.5 cut by five while above the tolerance (step 9 above).
    float step = 0.5f;
    for (int i = 0; i < 64 && 0.2f * step > m.solver.SolveTolerance; ++i) step = 0.2f * step;
    return step;
}

void ComputeValveLimits(Model& m) {
    valveLimitsFor(m.cyl, m.pivots[ValveStemEnd].x, m.limits);
}

void ComputePistonAndOpenings(Model& m) {
    Linkage w{m.frame, m.pivots, m.solver};
    const double theta = radians(m.gear.DriverAngle);
    m.openings.PistonTravel =
        pistonTravel(w, m, findDeadCentres(m), std::cos(theta), std::sin(theta));
    ComputeOpenings(m);
}

void ComputeOpenings(Model& m) {
    openingsFor(m.cyl, m.pivots[ValveStemEnd].x, m.openings);
}

PortEvent NextPortEvent(PortEventState& s, float steamOpening, float exhaustOpening) {
    PortEvent e = PortEvent::None;
    if (steamOpening > 0) {
        e = PortEvent::Admission;
        s.latch = PortLatch::Steam;
    } else if (s.latch == PortLatch::Steam) {
        e = PortEvent::Expansion;
    }
    if (exhaustOpening > 0) {
        e = PortEvent::Exhaust;
        s.latch = PortLatch::Exhaust;
    } else if (s.latch == PortLatch::Exhaust && !(steamOpening > 0)) {
        e = PortEvent::Compression;
    }
    s.event = e;
    return e;
}

void UpdatePortEvents(Model& m) {
    NextPortEvent(m.frontEvent, m.openings.FrontSteamOpening, m.openings.FrontExhaustOpening);
    NextPortEvent(m.rearEvent, m.openings.RearSteamOpening, m.openings.RearExhaustOpening);
}

void CalcMidGear(Model& m) {
    FrameDimensions& f = m.frame;
    PivotSet& p = m.pivots;
    Linkage w{f, p, m.solver};

    // 1. Die block at the top of the fulcrum lever's centre line.
    p[DieBlock].x = p[FulcrumCentre].x;
    p[DieBlock].y = single(static_cast<double>(p[FulcrumCentre].y) + f.FulcrumLeverUpper);

    // 2. Valve rod rear end.
    p[ValveRodRearEnd].y = single(static_cast<double>(p[ValveStemEnd].y) + f.ValveStemOffsetVert);
    {
        const double dy = static_cast<double>(p[DieBlock].y) - p[ValveRodRearEnd].y;
        const double q =
            w.root(static_cast<double>(f.ValveRodTotalLen) * f.ValveRodTotalLen - dy * dy);
        p[ValveRodRearEnd].x = single(p[DieBlock].x + std::sqrt(q));
    }

    // 3. Lifting link joint on the rod, ValveRodShortEnd from the die block toward its rear end.
    {
        const double theta =
            std::atan((static_cast<double>(p[DieBlock].y) - p[ValveRodRearEnd].y) /
                      w.denominator(static_cast<double>(p[ValveRodRearEnd].x) - p[DieBlock].x));
        p[LiftingLinkJoint].x = single(p[DieBlock].x + f.ValveRodShortEnd * std::cos(theta));
        p[LiftingLinkJoint].y = single(p[DieBlock].y - f.ValveRodShortEnd * std::sin(theta));
    }

    // 4. Lifting arm angle: the reverse arm's angle from the vertical at mid gear.
    double angle;
    {
        const double dx = static_cast<double>(p[ReverseArmPivot].x) - p[LiftingLinkJoint].x;
        const double dy = static_cast<double>(p[ReverseArmPivot].y) - p[LiftingLinkJoint].y;
        const double theta2 = std::atan(dy / w.denominator(dx));
        const double d = std::sqrt(dy * dy + dx * dx);
        // A lifting arm of no length is taken as a tiny one, and kept so.
        if (f.LiftingArmLength == 0.0f) f.LiftingArmLength = static_cast<float>(kTiny);
        const double la = f.LiftingArmLength;
        const double c = w.closingCosine(d, la, f.LiftingLinkLength, la);
        angle = kPi / 2.0 - asinByAtan(c) - theta2;
        if (f.LiftingArmLength < 0) angle = -angle;
    }

    // 5. Reverse arm end.
    const double bs = f.ReverseArmBackSet;
    const double rv = f.ReverseArmVert;
    const double angleToEnd = std::atan(bs / w.denominator(rv)) + angle;
    const double e = std::sqrt(bs * bs + rv * rv);
    p[ReverseArmEnd].x = single(p[ReverseArmPivot].x + e * std::sin(angleToEnd));

    // 6. Centre and the normal positions.
    const float centre = p[ReverseArmEnd].x;
    m.gear.ReverseArmPosition = centre;
    m.reverseArmPositions[0] = centre;
    m.reverseArmPositions[1] = centre;
    m.reverseArmPositions[2] = single(static_cast<double>(centre) + f.RevArmToCentNorm);
    m.reverseArmPositions[3] = single(static_cast<double>(centre) - f.RevArmToCentNorm);
}

PortLines portLines(const Model& m) {
    return portLines(m.limits);
}

PortLines portLines(const ValveLimits& v) {
    return PortLines{v.NegFrontAdmitLimit, -v.FrontFullOpenLimit, v.NegFrontExhaustLimit,
                     v.NegRearAdmitLimit,  -v.RearFullOpenLimit,  v.NegRearExhaustLimit};
}

}  // namespace tarvell
