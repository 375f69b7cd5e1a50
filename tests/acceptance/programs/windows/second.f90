subroutine which()
  print '(a)', 'second'
end subroutine which
