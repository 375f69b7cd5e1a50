program app
  use constants
  use shapes
  use config
  use stats
  implicit none
  integer :: total
  print '(a)', greeting()
  print '(a,f0.2)', 'square area ', square_area(2.0_dp)
  call legsum(10, total)
  print '(a,i0)', 'legacy ', total
  print '(a,f0.2,a,f0.2)', 'mean ', mean([1.0_dp, 2.0_dp, 3.0_dp, 4.0_dp]), ' norm ', norm(3.0_dp, 4.0_dp)
end program app
