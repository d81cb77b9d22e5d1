#pragma once

class CGameDatabase;
class COrder;

// Appends n items to an order for the benchmarks: a stride through the formulae that have
// tiers, so that a large order names many different ones, in one to five batches, every
// third item with a technique. The same database gives the same order.
void FillBenchOrder(const CGameDatabase& db, int n, COrder& order);
