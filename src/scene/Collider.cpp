// Collider: local rays, world hits and the sorted result list.
#include "scene/Collider.h"

#include "core/EventName.h"
#include "scene/SceneEvents.h"

Event* Collider::onEvent(Event* e) {
    Event* r = Transform::onEvent(e);
    // Only the record this node made carries a matrix and a result record.
    if (r != &event || !isEvent(r, Events::RAYCAST)) return r;
    RaycastEventData* data = static_cast<RaycastEventData*>(r->data);
    const Matrix4x4& w = *data->matrix;
    RaycastInfo* info = data->info;
    Matrix4x4 wi = w.invert();

    // The direction keeps its length, so a ray parameter means the same along both rays.
    Ray local;
    local.origin = wi.translateVector(info->ray.origin);
    Vector4 d =
        wi.translateVector(Vector4(info->ray.direction.x, info->ray.direction.y, info->ray.direction.z, 0));
    local.direction = Vector3(d.x, d.y, d.z);

    info->distance = -1;
    raycast(local, info);
    if (!(info->distance >= 0)) return r;

    info->point = w.translateVector(info->point);
    // Normals go through the inverse transpose: under a non-uniform scale the plain matrix
    // would tilt them off the surface. For rotation, translation and uniform scale both
    // give the same direction.
    Vector3 n = info->normal;
    info->normal = normalize(Vector3(wi.m[0] * n.x + wi.m[1] * n.y + wi.m[2] * n.z,
                                     wi.m[4] * n.x + wi.m[5] * n.y + wi.m[6] * n.z,
                                     wi.m[8] * n.x + wi.m[9] * n.y + wi.m[10] * n.z));
    info->collider = this;

    RaycastResult hit;
    hit.distance = info->distance;
    hit.point = info->point;
    hit.normal = info->normal;
    hit.collider = this;
    insertSorted(info->results, hit);
    return r;
}

void Collider::insertSorted(List<RaycastResult>& results, const RaycastResult& hit) {
    int index = 0;
    while (index < results.size() && !(results.at(index).distance > hit.distance)) index++;
    results.insert(index, hit);
}
