// The linkage solver, the valve quantities and the mid-gear calculation.
//
// Joints are closed by the law of cosines with the one-argument arctangent of a ratio (the
// mechanism's quadrant behaviour follows from that); the die block, which must lie on the
// link's arc, is found by a one-sided step search on the valve rod's rear end. Results are
// stored as single precision; intermediates are doubles.
#include "Calc.h"

#include <cmath>

#include "Numbers.h"

namespace tarvell {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTiny = 0.00001;
constexpr double kCosineLimit = 0.999999;
constexpr int kSearchLimit = 300;

float single(double v) {
    return toSingle(v);
}

double asinByAtan(double c) {
    return std::atan(c / std::sqrt(1.0 - c * c));
}

double deg2rad(double deg) {
    return deg * kPi / 180.0;
}

}  // namespace

void RaiseError(Model& m) {
    if (m.solver.BeepOnError) m.solver.ErrorFlag = true;
}

double GuardDenominator(Model& m, double v) {
    if (v >= 0 && v < kTiny) {
        RaiseError(m);
        return kTiny;
    }
    if (v < 0 && v > -kTiny) {
        RaiseError(m);
        return -kTiny;
    }
    return v;
}

double GuardRoot(Model& m, double q) {
    if (q < 0) {
        RaiseError(m);
        return -q;
    }
    return q;
}

double GuardCosine(Model& m, double c) {
    // Inside the valve-rod search the coarse stages routinely try positions the lifting link
    // cannot reach; those clamps are only reported once the step is fine.
    const bool report = m.solver.SearchStep < 0.01f;
    if (c > kCosineLimit) {
        if (report) RaiseError(m);
        return kCosineLimit;
    }
    if (c < -kCosineLimit) {
        if (report) RaiseError(m);
        return -kCosineLimit;
    }
    return c;
}

void SolveLinkage(Model& m) {
    FrameDimensions& f = m.frame;
    PivotSet& p = m.pivots;
    SolverState& s = m.solver;

    // 0. Reverse arm end and crank.
    p[18].x = m.gear.ReverseArmPosition;
    const double theta = deg2rad(m.gear.DriverAngle);
    const double r = static_cast<double>(f.Stroke) / 2.0;

    // 1. Crank pin.
    p[2].x = single(p[1].x + r * std::cos(theta));
    p[2].y = single(p[1].y - r * std::sin(theta));

    // 2. Crosshead, always on the cylinder side of the crank pin.
    {
        const double dy = static_cast<double>(p[2].y) - p[3].y;
        const double q =
            GuardRoot(m, static_cast<double>(f.MainRodLength) * f.MainRodLength - dy * dy);
        p[3].x = single(p[2].x + std::sqrt(q));
    }

    // 3. Fulcrum lever lower end: triangle crank pin - pivot 7 - fulcrum centre pivot.
    {
        const double dx = static_cast<double>(p[6].x) - p[2].x;
        const double dy = static_cast<double>(p[6].y) - p[2].y;
        const double alpha = std::atan(dy / GuardDenominator(m, dx));
        const double d = std::sqrt(dx * dx + dy * dy);
        if (f.MotionConRodLength == 0.0f) f.MotionConRodLength = static_cast<float>(kTiny);
        const double lm = f.MotionConRodLength;
        const double ll = f.FulcrumLeverLower;
        double c = (d * d + lm * lm - ll * ll) / 2.0 / GuardDenominator(m, d) / lm;
        c = GuardCosine(m, c);
        const double beta = asinByAtan(c) - kPi / 2.0 + alpha;
        p[7].x = single(p[2].x + lm * std::cos(beta));
        p[7].y = single(p[2].y + lm * std::sin(beta));
    }

    // 4. Fulcrum lever upper end and link trunnion; the lever is straight through 7, 6, 10.
    {
        const double gamma = std::atan((static_cast<double>(p[6].x) - p[7].x) /
                                       GuardDenominator(m, static_cast<double>(p[6].y) - p[7].y));
        p[10].x = single(p[6].x + f.FulcrumLeverUpper * std::sin(gamma));
        p[10].y = single(p[6].y + f.FulcrumLeverUpper * std::cos(gamma));
        p[9].x = single(p[10].x + f.FulcrumLeverBackSet * std::cos(gamma));
        p[9].y = single(p[10].y - f.FulcrumLeverBackSet * std::sin(gamma));
    }

    // 5. Motion con rod foot.
    {
        const double delta = std::atan((static_cast<double>(p[7].y) - p[2].y) /
                                       GuardDenominator(m, static_cast<double>(p[7].x) - p[2].x));
        p[13].x = single(p[7].x - f.MotionConRodFootHorz * std::cos(delta));
        p[13].y = single(p[7].y - f.MotionConRodFootHorz * std::sin(delta));
        p[12].x = single(p[13].x + f.MotionConRodFootVert * std::sin(delta));
        p[12].y = single(p[13].y - f.MotionConRodFootVert * std::cos(delta));
    }

    // 6. Rocking arm end: triangle foot - pivot 11 - trunnion.
    {
        const double dx = static_cast<double>(p[9].x) - p[12].x;
        const double dy = static_cast<double>(p[9].y) - p[12].y;
        const double eps = std::atan(dx / GuardDenominator(m, dy));
        const double d = std::sqrt(dx * dx + dy * dy);
        const double lc = f.LinkConRodLength;
        const double la = f.LinkRockingArmLen;
        double c =
            (d * d + lc * lc - la * la) / 2.0 / GuardDenominator(m, d) / GuardDenominator(m, lc);
        c = GuardCosine(m, c);
        const double zeta = asinByAtan(c) - kPi / 2.0 + eps;
        p[11].x = single(p[12].x + lc * std::sin(zeta));
        p[11].y = single(p[12].y + lc * std::cos(zeta));
    }

    // 7. Link arc centre; the link is rigid with its rocking arm.
    {
        const double eta = std::atan((static_cast<double>(p[11].y) - p[9].y) /
                                     GuardDenominator(m, static_cast<double>(p[9].x) - p[11].x)) +
                           deg2rad(static_cast<double>(f.LinkRockingAngleDeg) - 90.0);
        p[21].x = single(p[9].x + f.LinkRadius * std::sin(eta));
        p[21].y = single(p[9].y + f.LinkRadius * std::cos(eta));
        m.orientationSign = p[21].x >= p[9].x ? 1 : -1;
    }

    // 8. Reverse arm: a bell crank about pivot 16 whose end 18 stands at ReverseArmPosition.
    {
        const double bs = f.ReverseArmBackSet;
        const double rv = f.ReverseArmVert;
        const double e = std::sqrt(bs * bs + rv * rv);
        const double dx = static_cast<double>(p[18].x) - p[16].x;
        const double q = GuardRoot(m, e * e - dx * dx);
        p[18].y = single(p[16].y + std::sqrt(q));
        const double kappa =
            std::atan(dx / GuardDenominator(m, static_cast<double>(p[18].y) - p[16].y)) -
            std::atan(bs / GuardDenominator(m, rv));
        p[17].x = single(p[16].x + rv * std::sin(kappa));
        p[17].y = single(p[16].y + rv * std::cos(kappa));
        p[15].x = single(p[16].x - f.LiftingArmLength * std::cos(kappa));
        p[15].y = single(p[16].y + f.LiftingArmLength * std::sin(kappa));
    }

    // 9. Valve rod: walk the rear end toward +X while the die block is outside the link's
    // arc; once inside, back off by 0.8 of a step and refine by a factor of 5.
    const double total = f.ValveRodTotalLen;
    const double sLen = static_cast<double>(f.ValveRodTotalLen) - f.ValveRodShortEnd;
    const double lift = f.LiftingLinkLength;
    const float radius = f.LinkRadius;
    p[5].y = single(static_cast<double>(p[4].y) + f.ValveStemOffsetVert);
    s.SearchStep = 0.5f;
    p[5].x = ValveRodSearchStart(m);
    const double sGuarded = GuardDenominator(m, sLen);
    const double rodRatio = total / sGuarded;  // die block beyond pivot 14, as a multiple
    const double cosineTerms = sLen * sLen - lift * lift;
    int i = 0;
    for (;;) {
        // λ = atan(dy / dx) and asin(c) = atan(c / √(1 − c²)) are one-argument arctangents in
        // (−π/2, π/2), so their cosines are positive and follow from the ratio alone:
        // cos atan(dy/dx) = |dx|/d, sin atan(dy/dx) = sign(dx)·dy/d; cos asin c = √(1 − c²).
        // μ = asin(c) + λ − π/2 is then taken through the angle-sum identities, which keeps
        // every transcendental call out of this loop.
        const double dx = static_cast<double>(p[5].x) - p[15].x;
        const double dy = static_cast<double>(p[15].y) - p[5].y;
        const double d = std::sqrt(dx * dx + dy * dy);
        const double dxGuarded = GuardDenominator(m, dx);
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
        double c = (d * d + cosineTerms) / (2.0 * GuardDenominator(m, d) * sGuarded);
        c = GuardCosine(m, c);
        const double cosAsin = std::sqrt(1.0 - c * c);
        const double cosMu = c * cosLambda + cosAsin * sinLambda;  // sin(asin c + λ)
        const double sinMu = c * sinLambda - cosAsin * cosLambda;  // −cos(asin c + λ)
        p[14].x = single(p[5].x - sLen * cosMu);
        p[14].y = single(p[5].y + sLen * sinMu);
        p[8].x = single(p[5].x + (static_cast<double>(p[14].x) - p[5].x) * rodRatio);
        p[8].y = single(p[5].y + (static_cast<double>(p[14].y) - p[5].y) * rodRatio);
        const double ddx = static_cast<double>(p[21].x) - p[8].x;
        const double ddy = static_cast<double>(p[8].y) - p[21].y;
        s.DieBlockDistance = single(std::sqrt(ddx * ddx + ddy * ddy));
        const bool outside = s.DieBlockDistance > radius;
        if (outside) p[5].x = p[5].x + s.SearchStep;
        ++i;
        if (i > kSearchLimit) {
            RaiseError(m);
            s.SolveStatus = 'E';
            s.SearchStep = s.SolveTolerance - 1.0f;
            return;  // pivot 4 and the valve limits keep their last good values
        }
        if (outside) continue;
        p[5].x = p[5].x - 0.8f * s.SearchStep;
        s.SearchStep = 0.2f * s.SearchStep;
        if (s.SearchStep > s.SolveTolerance) continue;
        break;
    }
    p[4].x = p[5].x;

    // 10. Valve limits for the new valve position.
    ComputeValveLimits(m);
}

float ValveRodSearchStart(const Model& m) {
    const FrameDimensions& f = m.frame;
    return single(static_cast<double>(m.pivots[9].x) + f.ValveRodTotalLen - f.ValveRodShortEnd);
}

double ValveRodSearchResolution(const Model& m) {
    // The search walks on steps of 0.5 cut by five while above the tolerance (step 9 above).
    float step = 0.5f;
    for (int i = 0; i < 64 && 0.2f * step > m.solver.SolveTolerance; ++i) step = 0.2f * step;
    return step;
}

void ComputeValveLimits(Model& m) {
    const CylinderDimensions& c = m.cyl;
    ValveLimits& v = m.limits;
    const double h = c.ExhaustPortWidth() / 2.0;
    const double bf = c.BridgeWidthFront(), br = c.BridgeWidthRear();
    const double sf = c.SteamPortWidthFront(), sr = c.SteamPortWidthRear();
    v.FrontAdmitLimit = single(h + bf + sf - c.ValveLengthFrontHalf());
    v.FrontFullOpenLimit = single(h + bf - c.ValveLengthFrontHalf());
    v.FrontExhaustLimit = single(h + bf - c.ValveExhCavityFrontHalf());
    v.RearAdmitLimit = single(h + br + sr - c.ValveLengthRearHalf());
    v.RearFullOpenLimit = single(h + br - c.ValveLengthRearHalf());
    v.RearExhaustLimit = single(h + br - c.ValveExhCavityRearHalf());
    v.ValveOffset =
        single(static_cast<double>(m.pivots[4].x) + c.ValveStem() - c.CylCtrToDriverCtr());
    v.RearAdmitStemLimit = single(static_cast<double>(c.ValveStem()) - c.ValveLengthRearHalf() -
                                  c.CylCtrToDriverCtr() + h + br + sr);
    v.FrontAdmitStemLimit =
        single(h + c.CylCtrToDriverCtr() + bf + sf - c.ValveStem() - c.ValveLengthFrontHalf());
    v.NegFrontAdmitLimit = -v.FrontAdmitLimit;
    v.NegRearAdmitLimit = -v.RearAdmitLimit;
    v.NegFrontExhaustLimit = -v.FrontExhaustLimit;
    v.NegRearExhaustLimit = -v.RearExhaustLimit;
}

void ComputePistonAndOpenings(Model& m) {
    Openings& o = m.openings;
    const double theta = deg2rad(m.gear.DriverAngle);
    const double stroke = m.frame.Stroke;
    const double sGuarded = GuardDenominator(m, stroke);
    const double len = m.frame.MainRodLength;
    const double half = std::sin(theta) * stroke / 2.0;
    const double q = GuardRoot(m, len * len - half * half);
    o.PistonTravel = single(
        320.0 - (std::cos(theta) + std::sqrt(q) / sGuarded * 2.0 - len / sGuarded * 2.0) * 320.0);
    ComputeOpenings(m);
}

void ComputeOpenings(Model& m) {
    const CylinderDimensions& c = m.cyl;
    Openings& o = m.openings;
    // The valve's offset from the cylinder centre, from the current pivot 4.
    const double v = static_cast<double>(m.pivots[4].x) + c.ValveStem() - c.CylCtrToDriverCtr();
    const double h = c.ExhaustPortWidth() / 2.0;
    const double bf = c.BridgeWidthFront(), br = c.BridgeWidthRear();
    o.FrontSteamOpening =
        single((h + bf + c.SteamPortWidthFront()) - (v + c.ValveLengthFrontHalf()));
    o.FrontExhaustOpening = single((v + c.ValveExhCavityFrontHalf()) - (h + bf));
    o.RearSteamOpening = single((v - c.ValveLengthRearHalf()) + (h + br + c.SteamPortWidthRear()));
    o.RearExhaustOpening = single((c.ValveExhCavityRearHalf() - v) - (h + br));
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

    // 1. Die block at the top of the fulcrum lever's centre line.
    p[8].x = p[6].x;
    p[8].y = single(static_cast<double>(p[6].y) + f.FulcrumLeverUpper);

    // 2. Valve rod rear end.
    p[5].y = single(static_cast<double>(p[4].y) + f.ValveStemOffsetVert);
    {
        const double dy = static_cast<double>(p[8].y) - p[5].y;
        const double q =
            GuardRoot(m, static_cast<double>(f.ValveRodTotalLen) * f.ValveRodTotalLen - dy * dy);
        p[5].x = single(p[8].x + std::sqrt(q));
    }

    // 3. Lifting link joint on the rod, ValveRodShortEnd from the die block toward pivot 5.
    {
        const double theta = std::atan((static_cast<double>(p[8].y) - p[5].y) /
                                       GuardDenominator(m, static_cast<double>(p[5].x) - p[8].x));
        p[14].x = single(p[8].x + f.ValveRodShortEnd * std::cos(theta));
        p[14].y = single(p[8].y - f.ValveRodShortEnd * std::sin(theta));
    }

    // 4. Lifting arm angle: the reverse arm's angle from the vertical at mid gear.
    double angle;
    {
        const double dx = static_cast<double>(p[16].x) - p[14].x;
        const double dy = static_cast<double>(p[16].y) - p[14].y;
        const double theta2 = std::atan(dy / GuardDenominator(m, dx));
        const double d = std::sqrt(dy * dy + dx * dx);
        if (f.LiftingArmLength == 0.0f) f.LiftingArmLength = static_cast<float>(kTiny);
        const double la = f.LiftingArmLength;
        const double ll = f.LiftingLinkLength;
        double c = (d * d + la * la - ll * ll) / 2.0 / GuardDenominator(m, d) / la;
        c = GuardCosine(m, c);
        angle = kPi / 2.0 - asinByAtan(c) - theta2;
        if (f.LiftingArmLength < 0) angle = -angle;
    }

    // 5. Reverse arm end.
    const double bs = f.ReverseArmBackSet;
    const double rv = f.ReverseArmVert;
    const double angleToEnd = std::atan(bs / GuardDenominator(m, rv)) + angle;
    const double e = std::sqrt(bs * bs + rv * rv);
    p[18].x = single(p[16].x + e * std::sin(angleToEnd));

    // 6. Centre and the normal positions.
    const float centre = p[18].x;
    m.gear.ReverseArmPosition = centre;
    m.reverseArmPositions[0] = centre;
    m.reverseArmPositions[1] = centre;
    m.reverseArmPositions[2] = single(static_cast<double>(centre) + f.RevArmToCentNorm);
    m.reverseArmPositions[3] = single(static_cast<double>(centre) - f.RevArmToCentNorm);
}

PortLines portLines(const Model& m) {
    const ValveLimits& v = m.limits;
    return PortLines{v.NegFrontAdmitLimit, -v.FrontFullOpenLimit, v.NegFrontExhaustLimit,
                     v.NegRearAdmitLimit,  -v.RearFullOpenLimit,  v.NegRearExhaustLimit};
}

}  // namespace tarvell
