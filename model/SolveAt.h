// Solving the linkage at one driver angle and reverse arm position without touching the
// model: what every analysis asks of the solver. The answer is a value holding the pivots,
// the valve limits, the port openings, the piston travel and how the solve went; the model
// handed in is only read, so a solve depends on the angle and the position alone. No Qt, no
// allocation.
#pragma once

#include <span>

#include "Sweep.h"
#include "Vari.h"

namespace tarvell {

// The four port edges; each end's exhaust edge follows its steam edge.
enum Edge { FrontSteam, FrontExhaust, RearSteam, RearExhaust, kEdges };

struct LinkageSolution {
    float driverAngle = 0;  // as solved: brought into [0, 360), in single precision
    float reverseArmPosition = 0;
    PivotSet pivots;
    ValveLimits limits;
    Openings openings;        // the four port openings and the piston travel
    int orientationSign = 1;  // +1 when the link arc centre lies at X >= the trunnion
    float searchStart = 0;    // where the valve-rod search started (ValveRodSearchStart)
    // The valve-rod search failed: pivot 4, the valve limits and the openings are those of the
    // model as handed in (as the live solve keeps its last good ones).
    bool failed = false;
    // A guard of this solve or of the piston's travel met a joint that cannot close (counted
    // only when the model's BeepOnError is on, as the live solve counts it).
    bool errorRaised = false;

    float opening(Edge e) const;
    float stemX() const { return pivots[Pivot::ValveStemEnd].x; }
    // Valve displacement as the diagrams plot it: positive toward the front port's events.
    float valveDisplacement() const { return -limits.ValveOffset; }
};

// Where the piston turns back: the driver angles at which its travel is least (the front dead
// centre) and greatest (the rear), and the travel there before it is measured from them. With
// the cylinder line through the axle they are 0 and 180 by symmetry; with the line above or
// below it the crank and the main rod come into line a few degrees off them, and each is found
// as the extreme of the piston's place over the angles about it. Every per cent of the stroke
// is measured between the two.
struct DeadCentres {
    double front = 0, rear = 180;  // driver angles in [0, 360)
    bool onAxleLine = true;        // 0 and 180 exactly: the piston's travel is taken as it is
    // The piston's place at each, on the scale that runs from 0 at driver angle 0 to 640 at 180
    // when the line passes through the axle.
    double frontPlace = 0, rearPlace = 640;
};

// The driver angles are found to kDeadCentreTolerance.
inline constexpr double kDeadCentreTolerance = 0.001;  // degrees

// The dead centres of `m`: from its stroke, main rod and the height of the cylinder line (code
// 102) above the axle. No solve of the linkage; a main rod too short for the crank raises no
// error here (the solves that meet it do).
DeadCentres findDeadCentres(const Model& m);

// The linkage of `m` solved at `driverAngle` (any angle; it is brought into one turn and
// taken in single precision, as the live solve takes it) with the reverse arm end at
// `reverseArmPosition`. The piston's travel is measured from the dead centres given, or found.
LinkageSolution solveLinkageAt(const Model& m, double driverAngle, float reverseArmPosition);
LinkageSolution solveLinkageAt(const Model& m, double driverAngle, float reverseArmPosition,
                               const DeadCentres& deadCentres);

// The piston's travel at a driver angle, which depends on the angle alone: no solve. Sets
// *errorRaised when a guard met a main rod too short for the crank (and BeepOnError is on).
// Travel 0 is the front dead centre and 640 the rear, as `deadCentres` (or findDeadCentres)
// places them.
float pistonTravelAt(const Model& m, double driverAngle, bool* errorRaised = nullptr);
float pistonTravelAt(const Model& m, double driverAngle, const DeadCentres& deadCentres,
                     bool* errorRaised = nullptr);

// The piston's travel at travels.size() driver angles equally spaced over a turn from 0, the
// angle growing (`forward`) or falling: what pistonTravelAt gives at each to within rounding,
// the crank's cosine and sine taken by rotation from a fresh pair every few angles.
void pistonTravelsOverTurn(const Model& m, bool forward, std::span<float> travels,
                           bool* errorRaised = nullptr);
void pistonTravelsOverTurn(const Model& m, bool forward, std::span<float> travels,
                           const DeadCentres& deadCentres, bool* errorRaised = nullptr);

// The piston's place as a smooth function of the driver angle, in double precision and with
// its slope, for an integration along the turn: 0 at the front dead centre, 1 at the rear. It
// is the travel pistonTravelAt gives, over 640, before rounding to single precision.
class PistonMotion {
  public:
    PistonMotion(const Model& m, const DeadCentres& deadCentres);
    double place(double driverAngle) const;
    double slope(double driverAngle) const;  // per degree

  private:
    double crank_, rod_, offset_, front_, scale_;
};

// Solves one model for an analysis and keeps count: how many solves, how many failed, and
// whether any raised the error flag (or the model had it raised already, as the live one may).
class LinkageSolver {
  public:
    explicit LinkageSolver(const Model& m) : m_(m), deadCentres_(findDeadCentres(m)) {
        findings_.errorRaised = m.solver.ErrorFlag;
    }

    LinkageSolution solve(double driverAngle, float reverseArmPosition);
    // The piston's travel alone, which needs no solve (and is not counted as one).
    float pistonTravelAt(double driverAngle);
    void pistonTravelsOverTurn(bool forward, std::span<float> travels);

    const Model& model() const { return m_; }
    const DeadCentres& deadCentres() const { return deadCentres_; }
    int solves() const { return solves_; }
    const SolverFindings& findings() const { return findings_; }

  private:
    const Model& m_;
    DeadCentres deadCentres_;
    int solves_ = 0;
    SolverFindings findings_;
};

}  // namespace tarvell
