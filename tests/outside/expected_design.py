#!/usr/bin/env python3
"""The figures that DesignTest.cpp expects of Quarrow for its design in English units, computed here
from the textbook formulas of each design step, without any of the program's code.

Run it to see every figure with the text the program writes for it; the test holds the same texts.
"""
import math


def ms_exp(text):
    """The Microsoft runtime writes exponents with at least three digits: 1.6e-02 -> 1.6e-002."""
    mantissa, exponent = text.split("e")
    sign = exponent[0]
    return "%se%s%03d" % (mantissa, sign, int(exponent[1:]))


def e(value, decimals):
    return ms_exp("%.*e" % (decimals, value))


def gcvt(value, digits=5):
    """_gcvt: digits significant digits, exponent form below 0.1 or at 10^digits and above, the
    decimal point always kept and trailing zeros dropped."""
    if value == 0:
        return "0."
    mantissa, exponent = ("%.*e" % (digits - 1, value)).split("e")
    exponent = int(exponent)
    if exponent < -1 or exponent > digits - 1:
        return "%se%s%03d" % (mantissa.rstrip("0"), "-" if exponent < 0 else "+", abs(exponent))
    fixed = "%.*f" % (max(digits - 1 - exponent, 0), value)
    return fixed.rstrip("0") if "." in fixed else fixed + "."


show = {}

# Roadway geometry, geometry A (crowned): W = b/2 + c; Sr = sqrt(S^2 + Sx^2); Lr = W sqrt(1 + (S/Sx)^2).
b, c, S, Sx = 24.0, 2.0, 0.02, 0.03
W = b / 2 + c
Sr = math.sqrt(S ** 2 + Sx ** 2)
Lr = W * math.sqrt(1 + (S / Sx) ** 2)
show["W"] = gcvt(W)
show["S"] = "%.4f" % S
show["Sx"] = "%.4f" % Sx
show["Sr"] = "%.4f" % Sr
show["Lr"] = "%.2f" % Lr
show["Wc (b/2)"] = gcvt(b / 2)

# Sieve analysis of the base: percent passing typed per sieve (mm sizes of the US sieves).
sieves = [(0.075, 2), (0.425, 5), (1.888, 10), (4.75, 25), (9.5, 45), (12.5, 60), (19, 80), (25, 95), (37.5, 100)]
points = [(0.0, 0.0)] + [(size, float(p)) for size, p in sieves] + [(100.0, 100.0)]


def s(x):
    return x ** 0.45


def grain_size(percent):
    """Linear interpolation of percent passing on the 0.45-power scale of size."""
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        if y1 >= percent:
            return (s(x0) + (s(x1) - s(x0)) * (percent - y0) / (y1 - y0)) ** (1 / 0.45)
    raise ValueError(percent)


D = {p: grain_size(p) for p in (10, 12, 15, 30, 50, 60, 85)}
Cu = D[60] / D[10]
Cc = D[30] ** 2 / (D[10] * D[60])
# Percent passing the #200 sieve (0.075 mm), on the same scale; the table has a point there.
P200 = 2.0
for p, size in D.items():
    inches = size / 25.4
    show["D%d" % p] = "%.4f" % inches if inches >= 0.001 else e(inches, 2)
show["p200"] = "%.2f" % P200
show["Cu"] = "%.2f" % Cu
show["Cc"] = "%.2f" % Cc

# Porosity n = 1 - gamma_d / (Gs gamma_w); effective porosity by the water content method
# ne = n - gamma_d w / gamma_w; permeability k = 621400 D10^1.478 n^6.654 / P200^0.597 (ft/day, D10 in mm).
uw, sg, water = 110.0, 2.65, 2.0
gamma_w = 62.4
n = float("%.3f" % (1 - uw / (sg * gamma_w)))
ne = float("%.3f" % (n - uw * (water * 0.01) / gamma_w))
d10_mm = float(show["D10"]) * 25.4
k = 621400 * d10_mm ** 1.478 * n ** 6.654 / float(show["p200"]) ** 0.597
show["n"] = "%.3f" % n
show["ne"] = "%.3f" % ne
show["k"] = "%.3f" % k if k > 0.01 else e(k, 3)
k = float(show["k"])

# Inflow, crack method: qi = Ic (Nc / W + Wc / (W Cs)) + kp.
Ic, Nc, Cs, kp = 2.4, 3.0, 40.0, 0.0
qi = Ic * (Nc / W + (b / 2) / (W * Cs)) + kp
show["qi"] = gcvt(qi)
qi = float(show["qi"])

# Permeable base, time to drain (Barber and Sawyer, 50 % drained): S1 = H / (L S), m = ne L^2 / (k H),
# T = S1 U - 0.48 S1^2 log10(1 + 4.8 U / S1) for U <= 0.5, t = 24 T m hours.
H, U = 0.5, 50.0
Sr_text, Lr_text = float(show["Sr"]), float(show["Lr"])
S1 = H / (Lr_text * Sr_text)
u = U * 0.01
T = S1 * u - 0.48 * S1 ** 2 * math.log10(1 + 4.8 * u / S1)
t = 24 * T * ne * Lr_text ** 2 / (k * H)
show["H"] = gcvt(H)
show["U"] = gcvt(U)
show["t"] = "%.2f" % t if t > 0.1 else e(t, 2)
# Percent saturation from percent drained: Psat = (n - U ne / 100) / n * 100.
show["Psat"] = gcvt((n - U * 0.01 * ne) / n * 100)


# Depth of flow: with r = q/k and d = S^2 - 4r < 0, H = L sqrt(r) e^((S/sqrt(-d)) (atan(S/sqrt(-d)) - pi/2)).
def depth_of_flow(q, k, S, L):
    r = q / k
    d = S * S - 4 * r
    if d > 0:
        B, E = (S - math.sqrt(d)) / (S + math.sqrt(d)), S / (2 * math.sqrt(d))
    elif d < 0:
        B, E = math.e, (S / math.sqrt(-d)) * (math.atan(S / math.sqrt(-d)) - math.pi / 2)
    else:
        B, E = math.e, -1.0
    return L * math.sqrt(r) * B ** E


show["Hmin"] = gcvt(depth_of_flow(qi, k, Sr_text, Lr_text))
# Discharge capacity: the inflow at which the depth of flow is the base thickness, times L.
low, high = 0.0, 1.0
while depth_of_flow(high, k, Sr_text, Lr_text) < H:
    high *= 2
for _ in range(200):
    mid = (low + high) / 2
    if depth_of_flow(mid, k, Sr_text, Lr_text) < H:
        low = mid
    else:
        high = mid
Q_base = Lr_text * low
show["qd"] = "%.3f" % Q_base if Q_base > 0.01 else e(Q_base, 3)

# Separator, geotextile: subgrade p200 40 %, k 0.5 ft/d, Cu 5, D15 0.006 in, D85 0.01 in; geotextile k 2 ft/d.
p200_sub, k_sub, cu_sub, d15_sub, d85_sub, k_geo = 40.0, 0.5, 5.0, 0.006, 0.01, 2.0
B = 8 / cu_sub  # retention factor for p200 <= 50 and 4 < Cu < 8
aos = B * d85_sub
kmin = k_sub
show["sub p200"] = "%.1f" % p200_sub
show["sub k"] = "%.1f" % k_sub
show["sub Cu"] = "%.4f" % cu_sub
show["sub D15"] = "%.4f" % d15_sub
show["sub D85"] = "%.4f" % d85_sub
show["AOS"] = e(aos, 1)
show["kmin"] = "%.1f" % kmin if kmin > 1 else e(kmin, 2)
show["geo k"] = "%.1f" % k_geo
tmax = 5 * k_geo * 12 / 86400  # 15 <= p200 <= 50: five times the permittivity velocity, inches
show["tmax"] = "%.3f" % tmax if tmax > 0.01 else e(tmax, 2)
aos_text = float(show["AOS"].replace("e-00", "e-"))
show["verdict AOS >= 3 D15"] = "Pass" if aos_text > 3 * d15_sub else "Fail"
show["verdict Cu >= 3"] = "Pass" if cu_sub >= 3 else "Fail"
show["verdict k sep > k sub"] = "Pass" if k_geo > k_sub else "Fail"

# Edge drain, pipe (Manning, full flow): Q = 53.01 / n S^0.5 D^(8/3) ft^3/day with D in inches;
# outlet spacing by pavement infiltration: Lo = Q / (W qi).
D_pipe, n_pipe = 6.0, 0.012
Q_pipe = 53.01 / n_pipe * float(show["S"]) ** 0.5 * D_pipe ** (8 / 3)
show["D"] = gcvt(D_pipe)
show["Q"] = "%.1f" % Q_pipe if Q_pipe > 0.1 else e(Q_pipe, 2)
Lo = float(show["Q"]) / W / qi
show["Lo"] = "%.1f" % Lo if Lo > 0.1 else e(Lo, 2)

# Switching to metric units: lengths times 0.3048, five significant digits.
for name, feet in (("b", b), ("c", c), ("W", W), ("Lr", float(show["Lr"])), ("H", H)):
    show["metric " + name] = gcvt(feet * 0.3048)
show["metric qi"] = gcvt(qi * 3.528e-6)
show["metric D15"] = "%.4f" % (float(show["D15"]) * 25.4)

# The gradation plot (kind 0): header, one "size percent" row per typed sieve in mm, an end row and
# the layer's description, lines ending in CR LF.
plot = "0 0 0 0\r\n" + "".join("%g %g\r\n" % (size, p) for size, p in sieves) + "0 0\r\n" + "<user defined>"
show["plot.tmp size"] = str(len(plot))

# The heave determination table: a picked row's heave rate is the mean of its bounds in mm/day, in
# in/day with two significant digits; the texts any row can give.
heave_rows = [(3.0, 3.0), (0.3, 1.0), (1.0, 3.5), (2.0, 3.5), (1.0, 3.0), (3.0, 4.5), (3.0, 4.5), (2.5, 2.5),
              (5.0, 5.0), (2.5, 5.0), (0.8, 0.8), (3.0, 3.0), (0.2, 1.5), (1.5, 6.0), (6.0, 9.0), (5.5, 9.0),
              (5.0, 7.0), (5.0, 7.0), (1.1, 14.0), (14.0, 25.0), (25.0, 25.0), (13.0, 13.0), (7.0, 10.0),
              (5.0, 5.0), (4.0, 4.0), (0.8, 0.8)]
show["heave rates"] = " ".join(sorted({gcvt((low + high) * 0.5 / 25.4, 2) for low, high in heave_rows}))

if __name__ == "__main__":
    for name, text in show.items():
        print("%-24s %s" % (name, text))
